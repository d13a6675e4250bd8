#include "platform/PackedDateTime.h"

namespace qv::platform {

namespace {

constexpr int kEpochYear = 1980;
constexpr int kLastYear = kEpochYear + 127;

} // namespace

std::optional<QDateTime> decodePackedDateTime(std::uint32_t packed)
{
    const auto field = [packed](int shift, std::uint32_t mask) {
        return static_cast<int>((packed >> shift) & mask);
    };
    const QDate date(kEpochYear + field(25, 0x7F), field(21, 0x0F), field(16, 0x1F));
    const int hours = field(11, 0x1F);
    const int minutes = field(5, 0x3F);
    const int seconds = field(0, 0x1F) * 2;
    if (!date.isValid() || !QTime::isValid(hours, minutes, seconds))
        return std::nullopt;
    return QDateTime(date, QTime(hours, minutes, seconds));
}

std::optional<std::uint32_t> encodePackedDateTime(const QDateTime& local)
{
    const QDate date = local.date();
    const QTime time = local.time();
    if (!local.isValid() || date.year() < kEpochYear || date.year() > kLastYear)
        return std::nullopt;
    return static_cast<std::uint32_t>(date.year() - kEpochYear) << 25 |
           static_cast<std::uint32_t>(date.month()) << 21 | static_cast<std::uint32_t>(date.day()) << 16 |
           static_cast<std::uint32_t>(time.hour()) << 11 | static_cast<std::uint32_t>(time.minute()) << 5 |
           static_cast<std::uint32_t>(time.second() / 2);
}

} // namespace qv::platform
