#pragma once
// The body of a COM method runs through here: its caller is system or
// script engine code, which no C++ exception may reach.

#include <windows.h>

#include <new>

template <typename Body>
HRESULT ComBoundary(Body body) noexcept
{
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}
