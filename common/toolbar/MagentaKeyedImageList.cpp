#include "common/toolbar/MagentaKeyedImageList.h"

#include "platform/ui/Module.h"

UniqueImageList LoadMagentaKeyedImageList(UINT resourceId, int cx, int cy, int grow, COLORREF colour)
{
    UniqueBitmap bitmap(static_cast<HBITMAP>(
        LoadImageW(CurrentModule(), MAKEINTRESOURCEW(resourceId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    DIBSECTION section{};
    if (!bitmap || GetObjectW(bitmap.Get(), sizeof section, &section) != sizeof section || !section.dsBm.bmBits)
        return UniqueImageList();
    const BITMAP& bits = section.dsBm;
    const int bytesPerPixel = bits.bmBitsPixel / 8;
    if (bits.bmBitsPixel != 24 && bits.bmBitsPixel != 32)
        return UniqueImageList();
    GdiFlush();
    for (int row = 0; row < bits.bmHeight; ++row) {
        BYTE* pixel = static_cast<BYTE*>(bits.bmBits) + static_cast<size_t>(row) * bits.bmWidthBytes;
        for (int column = 0; column < bits.bmWidth; ++column, pixel += bytesPerPixel)
            if (pixel[0] == 255 && pixel[1] == 0 && pixel[2] == 255) {  // blue, green, red
                pixel[0] = GetBValue(colour);
                pixel[1] = GetGValue(colour);
                pixel[2] = GetRValue(colour);
            }
    }
    UniqueImageList images(ImageList_Create(cx, cy, ILC_COLOR24, 0, grow));
    if (!images || ImageList_Add(images.Get(), bitmap.Get(), nullptr) < 0)
        return UniqueImageList();
    return images;
}
