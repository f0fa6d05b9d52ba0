// Marks a function as an export of libTessaroDll.so, visible by its plain name.
#pragma once
#define TESSARO_EXPORT extern "C" __attribute__((visibility("default")))
