#pragma once
// The codec's answers that depend only on the message: its information
// block, the format negotiation and the compress path, which passes each
// companion record through unchanged.

#include <windows.h>
#include <vfw.h>

constexpr DWORD kDrvlFourCC = mmioFOURCC('D', 'R', 'V', 'L');

// The largest picture the codec decodes: 64 MB, a 4096 x 4096 frame at 32
// bits, no side beyond 16384. Refusing larger formats keeps every size the
// player and the codec derive from a format far inside 32 bits.
constexpr LONG kMaxPictureSide = 16384;
constexpr ULONGLONG kMaxPictureBytes = 64ull << 20;

// Bytes of a 32-bit picture of that size (bottom-up or top-down); 0 for none.
ULONGLONG RgbPictureBytes(LONG width, LONG height);
// A picture of that size exists and lies within the limits above.
bool IsDecodablePictureSize(LONG width, LONG height);
// ICM_GETINFO: the size of the block (568), 0 for a buffer too small.
LRESULT GetCodecInfo(ICINFO* info, DWORD size);
// ICM_COMPRESS_GET_FORMAT and ICM_DECOMPRESS_GET_FORMAT: 40 for a null output.
LRESULT CompressedFormat(const BITMAPINFOHEADER* input, BITMAPINFOHEADER* output);
LRESULT DecompressedFormat(const BITMAPINFOHEADER* input, BITMAPINFOHEADER* output);
// ICM_DECOMPRESS_QUERY: DRVL input to 32-bit RGB output (or any, for null),
// both of a decodable size.
LRESULT QueryDecompress(const BITMAPINFOHEADER* input, const BITMAPINFOHEADER* output);
// ICM_COMPRESS: copies one record of at most `capacity` bytes (the size
// announced for the output buffer) from input to output.
LRESULT CompressRecord(const ICCOMPRESS& compress, DWORD capacity);
