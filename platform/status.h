#pragma once
// Result codes shared by every layer: zero is success, negative is failure.

#include <cstdint>

using HRESULT = std::int32_t;

inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
inline constexpr HRESULT E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000Eu);

inline constexpr bool FAILED(HRESULT status) { return status < 0; }
inline constexpr bool SUCCEEDED(HRESULT status) { return status >= 0; }
