#pragma once
// The seam through which tests make the program's operator new fail: while a
// filter is set, each allocation asks it first, and a true answer fails that
// allocation as an exhausted heap would (null from the nothrow forms,
// std::bad_alloc from the others). The program never sets it.
#include <cstddef>

using AfxAllocationFilter = bool (*)(std::size_t size);
void AfxSetAllocationFilter(AfxAllocationFilter filter);
