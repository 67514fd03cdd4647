#pragma once
// Small AVI files for the writer's tests, written through AVIFile itself.

#include <string>
#include <windows.h>

struct TestMovieShape {
    LONG width;
    LONG height;
    DWORD frames;
    DWORD scale;
    DWORD rate;
};

// An uncompressed 32-bit video movie of the given shape.
HRESULT WriteVideoMovie(const std::wstring& path, const TestMovieShape& shape);
// A movie holding one audio stream and no video.
HRESULT WriteAudioOnlyMovie(const std::wstring& path);
