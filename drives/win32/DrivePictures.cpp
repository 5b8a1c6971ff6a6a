#include "drives/win32/DrivePictures.h"

namespace {

// The bitmap resources, in the order of drives::DrivePicture.
constexpr std::array<const wchar_t*, 5> kNames = {L"FLOPPY", L"HARD", L"NETWORK", L"CDROM", L"RAM"};

class MemoryDC {
public:
    MemoryDC() : dc_(CreateCompatibleDC(nullptr)) {}
    ~MemoryDC() { DeleteDC(dc_); }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    operator HDC() const { return dc_; }

private:
    HDC dc_;
};

}  // namespace

DrivePictures::DrivePictures() {
    const MemoryDC dc;
    for (std::size_t i = 0; i < kNames.size(); ++i) {
        Picture& picture = pictures_[i];
        picture.bitmap.reset(static_cast<HBITMAP>(
            LoadImageW(GetModuleHandleW(nullptr), kNames[i], IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
        if (!picture.bitmap) continue;
        BITMAP info{};
        GetObjectW(picture.bitmap.get(), sizeof info, &info);
        picture.size = {info.bmWidth, info.bmHeight};
        const Selected bitmap(dc, picture.bitmap.get());
        picture.key = GetPixel(dc, 0, info.bmHeight - 1);
    }
}

SIZE DrivePictures::SizeOf(drives::DrivePicture which) const { return pictures_.at(std::size_t(which)).size; }

void DrivePictures::Draw(HDC dc, drives::DrivePicture which, int left, int top) const {
    const Picture& picture = pictures_.at(std::size_t(which));
    if (!picture.bitmap) return;
    const MemoryDC source;
    const Selected bitmap(source, picture.bitmap.get());
    TransparentBlt(dc, left, top, picture.size.cx, picture.size.cy, source, 0, 0, picture.size.cx, picture.size.cy,
                   picture.key);
}
