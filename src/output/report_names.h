#pragma once
// The names of the report's printables that the filling step writes: listed once here, so
// that a misspelt name in the fill does not compile. The numbered ones are made by the same
// rule as the form's design uses (qr_layout.h).

#include <array>
#include <string_view>

#include "sheet/checked_name.h"

namespace klw {

namespace report_text {

// One name, held in place so that the list can point into it.
struct Name {
    char text[24]{};
    size_t size = 0;

    constexpr Name& operator<<(std::string_view part)
    {
        for (char ch : part)
            text[size++] = ch;
        return *this;
    }
    constexpr Name& operator<<(int number)
    {
        char digits[8]{};
        int n = 0;
        do {
            digits[n++] = char('0' + number % 10);
            number /= 10;
        } while (number > 0);
        while (n > 0)
            text[size++] = digits[--n];
        return *this;
    }
};

inline constexpr std::array<std::string_view, 14> kFixed{"l_sachbeabeiter", "QRMemo1", "l_ort",   "l_sptag", "l_datum",
                                                         "l_liga",          "l_hteam", "l_gteam", "l_erg1",  "l_erg2",
                                                         "l_erg3",          "l_erg4",  "l_erg5",  "QRImage2"};

template <typename Visit> constexpr void forEachName(Visit visit)
{
    for (std::string_view n : kFixed)
        visit(Name{} << n);
    for (int k = 1; k <= 16; ++k) {
        visit(Name{} << "l_sp" << k);
        visit(Name{} << "l_sp" << k << "_2");
        visit(Name{} << "l_sp" << k << "_3");
    }
    for (int i = 1; i <= 32; ++i)
        visit(Name{} << "l_name" << i);
    for (std::string_view side : {"h", "g"})
        for (int i = 1; i <= 6; ++i) {
            visit(Name{} << "l_" << side << i);
            visit(Name{} << "l_" << side << "name" << i);
            visit(Name{} << "l_" << side << "pkt" << i);
        }
    for (int d = 1; d <= 2; ++d)
        for (std::string_view part : {"l_hdoppel", "l_gdoppel", "l_doppelsaetze", "l_doppelspiele"})
            visit(Name{} << part << d);
}

constexpr int count()
{
    int n = 0;
    forEachName([&n](const Name&) { ++n; });
    return n;
}

inline constexpr std::array<Name, count()> kStore = [] {
    std::array<Name, count()> names{};
    size_t i = 0;
    forEachName([&](const Name& n) { names[i++] = n; });
    return names;
}();

inline constexpr std::array<std::string_view, count()> kViews = [] {
    std::array<std::string_view, count()> views{};
    for (size_t i = 0; i < views.size(); ++i)
        views[i] = std::string_view(kStore[i].text, kStore[i].size);
    return views;
}();

}  // namespace report_text

inline constexpr const auto& kReportNames = report_text::kViews;
using ReportName = CheckedName<report_text::kViews>;

}  // namespace klw
