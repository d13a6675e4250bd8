#pragma once

#include <QJsonArray>
#include <QJsonObject>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qv::results {

// Typed reads from a parsed JSON object. A value that is missing or not what it must be throws
// FormatError naming its place, e.g. "Runs[2].Summary.AluIndex is negative". Numbers must be finite
// and not negative: every figure we keep is a count, a rate or a share.
class JsonReader {
public:
    JsonReader(QJsonObject object, std::string where);

    // Present and not null.
    bool has(std::string_view key) const;

    std::string text(std::string_view key) const;
    double number(std::string_view key) const;
    std::int64_t wholeNumber(std::string_view key) const;
    bool flag(std::string_view key) const;
    JsonReader object(std::string_view key) const;
    QJsonArray array(std::string_view key) const;
    // A list whose every element is a text.
    std::vector<std::string> texts(std::string_view key) const;

    // The same, empty when the key is missing or null.
    std::optional<std::string> optionalText(std::string_view key) const;
    std::optional<double> optionalNumber(std::string_view key) const;
    std::optional<std::int64_t> optionalWholeNumber(std::string_view key) const;
    std::optional<bool> optionalFlag(std::string_view key) const;

    // "Runs[2]" (counted from 0, as JSON paths do) for the element of an array member; its reader when it is
    // an object.
    std::string elementPath(std::string_view key, qsizetype index) const;
    JsonReader element(std::string_view key, qsizetype index) const;

    std::string path(std::string_view key) const;
    const QJsonObject& json() const { return m_object; }

    // The checks of a single value found at `path`.
    static std::string textAt(const QJsonValue& value, const std::string& path);
    static double numberAt(const QJsonValue& value, const std::string& path);
    static std::int64_t wholeNumberAt(const QJsonValue& value, const std::string& path);

private:
    QJsonValue required(std::string_view key) const;

    QJsonObject m_object;
    std::string m_where;
};

} // namespace qv::results
