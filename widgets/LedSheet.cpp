#include "widgets/LedSheet.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace qv::widgets {

namespace {
struct SharedSheet {
    std::vector<const void*> users;
    std::unique_ptr<QPixmap> pixmap;
};

SharedSheet& shared()
{
    static SharedSheet sheet;
    return sheet;
}
} // namespace

void LedPictureSheet::addUser(const void* user)
{
    SharedSheet& sheet = shared();
    if (std::find(sheet.users.begin(), sheet.users.end(), user) != sheet.users.end())
        return;
    if (sheet.users.empty())
        sheet.pixmap = std::make_unique<QPixmap>(resourcePath());
    sheet.users.push_back(user);
}

void LedPictureSheet::removeUser(const void* user)
{
    SharedSheet& sheet = shared();
    std::erase(sheet.users, user);
    if (sheet.users.empty())
        sheet.pixmap.reset();
}

int LedPictureSheet::userCount()
{
    return static_cast<int>(shared().users.size());
}

bool LedPictureSheet::isLoaded()
{
    return shared().pixmap != nullptr;
}

QPixmap LedPictureSheet::pixmap()
{
    const SharedSheet& sheet = shared();
    return sheet.pixmap ? *sheet.pixmap : QPixmap();
}

QRect ledSourceRect(bool lit, int colourRow, bool enabled)
{
    const int column = enabled && lit ? 1 : 0;
    const int row = enabled ? colourRow : LedPictureSheet::kDisabledRow;
    return {column * LedPictureSheet::kPictureWidth, row * LedPictureSheet::kPictureHeight,
            LedPictureSheet::kPictureWidth, LedPictureSheet::kPictureHeight};
}

} // namespace qv::widgets
