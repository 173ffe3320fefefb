#pragma once

#include <cctype>
#include <string>
#include <string_view>
#include <type_traits>

// A table row's description as a test name: every character but a Latin letter or digit
// becomes '_' ("th,us" -> "th_us").
inline std::string rowName(std::string_view description)
{
    std::string name(description);
    for (char &ch : name)
        if (!std::isalnum(static_cast<unsigned char>(ch)))
            ch = '_';
    return name;
}

// Names the rows of a parameterised test (the last argument of INSTANTIATE_TEST_SUITE_P): a row
// that is text by itself, any other by its member `name`.
struct RowNamer
{
    template<class Info> std::string operator()(const Info &info) const
    {
        if constexpr (std::is_convertible_v<decltype(info.param), std::string_view>)
            return rowName(info.param);
        else
            return rowName(info.param.name);
    }
};
