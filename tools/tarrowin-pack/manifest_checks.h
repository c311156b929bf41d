// The constraints every manifest must meet. The installer trusts its record blindly,
// so the build refuses a description that breaks one, naming the constraint.
#pragma once

#include "product_description.h"

namespace pack {

// Throws PackError "<file>:<line>: <constraint>: <detail>" for the first broken
// constraint. Payload sizes are checked where the streams are made.
void check_description(const ProductDescription& product);

// Whether `name` can stand as one component of a Windows path; `why` says what is wrong.
bool is_file_name_component(const std::string& name, std::string& why);

// Day of the week, 0 for Sunday, of a date in the Gregorian calendar.
int day_of_week(int year, int month, int day);

}  // namespace pack
