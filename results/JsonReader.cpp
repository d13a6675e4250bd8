#include "results/JsonReader.h"

#include "results/RunConditions.h"

#include <cmath>

namespace qv::results {

namespace {

QString keyOf(std::string_view key)
{
    return QString::fromUtf8(key.data(), qsizetype(key.size()));
}

[[noreturn]] void fail(const std::string& path, std::string_view what)
{
    throw FormatError(path + ' ' + std::string(what));
}

} // namespace

JsonReader::JsonReader(QJsonObject object, std::string where)
    : m_object(std::move(object))
    , m_where(std::move(where))
{
}

std::string JsonReader::path(std::string_view key) const
{
    return m_where.empty() ? std::string(key) : m_where + '.' + std::string(key);
}

std::string JsonReader::elementPath(std::string_view key, qsizetype index) const
{
    return path(key) + '[' + std::to_string(index) + ']';
}

bool JsonReader::has(std::string_view key) const
{
    const QJsonValue value = m_object.value(keyOf(key));
    return !value.isUndefined() && !value.isNull();
}

QJsonValue JsonReader::required(std::string_view key) const
{
    // A null falls through to the type check: "is not a text" says more than "is missing".
    QJsonValue value = m_object.value(keyOf(key));
    if (value.isUndefined())
        fail(path(key), "is missing");
    return value;
}

std::string JsonReader::textAt(const QJsonValue& value, const std::string& path)
{
    if (!value.isString())
        fail(path, "is not a text");
    return value.toString().toStdString();
}

double JsonReader::numberAt(const QJsonValue& value, const std::string& path)
{
    if (!value.isDouble())
        fail(path, "is not a number");
    const double number = value.toDouble();
    if (!std::isfinite(number))
        fail(path, "is not finite");
    if (number < 0)
        fail(path, "is negative");
    return number;
}

std::int64_t JsonReader::wholeNumberAt(const QJsonValue& value, const std::string& path)
{
    const double number = numberAt(value, path);
    if (number != std::trunc(number))
        fail(path, "is not a whole number");
    // Read as an integer, not through the double, so that values past 2^53 keep every digit.
    const std::int64_t integer = value.toInteger(-1);
    if (integer < 0)
        fail(path, "is too large");
    return integer;
}

std::string JsonReader::text(std::string_view key) const
{
    return textAt(required(key), path(key));
}

double JsonReader::number(std::string_view key) const
{
    return numberAt(required(key), path(key));
}

std::int64_t JsonReader::wholeNumber(std::string_view key) const
{
    return wholeNumberAt(required(key), path(key));
}

bool JsonReader::flag(std::string_view key) const
{
    const QJsonValue value = required(key);
    if (!value.isBool())
        fail(path(key), "is not true or false");
    return value.toBool();
}

JsonReader JsonReader::object(std::string_view key) const
{
    const QJsonValue value = required(key);
    if (!value.isObject())
        fail(path(key), "is not an object");
    return JsonReader(value.toObject(), path(key));
}

QJsonArray JsonReader::array(std::string_view key) const
{
    const QJsonValue value = required(key);
    if (!value.isArray())
        fail(path(key), "is not a list");
    return value.toArray();
}

std::vector<std::string> JsonReader::texts(std::string_view key) const
{
    const QJsonArray list = array(key);
    std::vector<std::string> texts;
    texts.reserve(std::size_t(list.size()));
    for (qsizetype i = 0; i < list.size(); ++i)
        texts.push_back(textAt(list.at(i), elementPath(key, i)));
    return texts;
}

JsonReader JsonReader::element(std::string_view key, qsizetype index) const
{
    const QJsonValue value = array(key).at(index);
    if (!value.isObject())
        fail(elementPath(key, index), "is not an object");
    return JsonReader(value.toObject(), elementPath(key, index));
}

std::optional<std::string> JsonReader::optionalText(std::string_view key) const
{
    return has(key) ? std::optional(text(key)) : std::nullopt;
}

std::optional<double> JsonReader::optionalNumber(std::string_view key) const
{
    return has(key) ? std::optional(number(key)) : std::nullopt;
}

std::optional<std::int64_t> JsonReader::optionalWholeNumber(std::string_view key) const
{
    return has(key) ? std::optional(wholeNumber(key)) : std::nullopt;
}

std::optional<bool> JsonReader::optionalFlag(std::string_view key) const
{
    return has(key) ? std::optional(flag(key)) : std::nullopt;
}

} // namespace qv::results
