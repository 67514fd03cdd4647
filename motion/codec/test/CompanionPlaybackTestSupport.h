#pragma once
// A companion movie played as a host plays it: its first video stream
// through Video for Windows, which opens the installed DRVL codec, and the
// source frames that come out, as written by WriteVideoMovie (each frame
// filled with its own number).

#include <windows.h>
#include <vfw.h>

#include <string>

#include "base/com/RefPtr.h"
#include "motion/plugin/AviLibrary.h"
#include "motion/plugin/test/MovieTestSupport.h"

// The number a uniform picture of the movie's shape is filled with; -1 for
// any other picture.
inline int PictureFrame(const void* packedDib, const TestMovieShape& shape)
{
    const auto* header = static_cast<const BITMAPINFOHEADER*>(packedDib);
    if (!header || header->biBitCount != 32 || header->biWidth != shape.width || header->biHeight != shape.height)
        return -1;
    const BYTE* pixels = reinterpret_cast<const BYTE*>(header) + header->biSize;
    for (LONG i = 1; i < shape.width * shape.height * 4; ++i) {
        if (pixels[i] != pixels[0])
            return -1;
    }
    return pixels[0];
}

class CompanionFrameReader {
public:
    CompanionFrameReader(const std::wstring& path, const TestMovieShape& shape) : m_shape(shape)
    {
        if (AVIFileOpenW(m_file.Put(), path.c_str(), OF_READ, nullptr) == S_OK &&
            AVIFileGetStream(m_file.Get(), m_stream.Put(), streamtypeVIDEO, 0) == S_OK)
            m_frames.Reset(AVIStreamGetFrameOpen(m_stream.Get(), nullptr));
    }

    bool Ready() const { return static_cast<bool>(m_frames); }
    // The source frame shown for the companion's frame, -1 for none.
    int Frame(LONG frame) const { return PictureFrame(AVIStreamGetFrame(m_frames.Get(), frame), m_shape); }

private:
    AviLibrary m_library;
    TestMovieShape m_shape;
    RefPtr<IAVIFile> m_file;
    RefPtr<IAVIStream> m_stream;
    UniqueGetFrame m_frames;  // closed first: the end of decompression lets the script go
};
