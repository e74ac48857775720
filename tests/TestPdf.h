#pragma once

// PDF files the tests and benchmarks write by hand.
#include <string>
#include <vector>

namespace lbtest {

// A PDF of these objects, numbered from 1 (the first the catalog), with its cross-reference
// table; `trailer` is put into the trailer dictionary beside /Size and /Root.
std::string PdfOf(const std::vector<std::string>& objects, const std::string& trailer = "");

} // namespace lbtest
