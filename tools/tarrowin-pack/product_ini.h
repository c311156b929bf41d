// Reads product.ini:
//
//   [product]                    name, version, tagline, publisher, web_page,
//                                file_timestamp (YYYY-MM-DD HH:MM:SS[.mmm], local time),
//                                file_count, shortcut_count, support_email, home_page
//   [entry]                      one section per file, in installation order:
//                                file, flags, resource, shortcut, source
//
// Lines starting with ';' or '#' are comments; a value may be quoted to keep its outer
// spaces. Texts are UTF-8 and become Windows-1252.
#pragma once

#include <string>

#include "product_description.h"

namespace pack {

// Throws PackError naming the file and line of the fault.
ProductDescription parse_product_ini(const std::string& text, const std::string& path);

}  // namespace pack
