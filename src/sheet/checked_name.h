#pragma once
// A name out of a fixed list, checked when the program is compiled: a string literal turns
// into a CheckedName only when the list holds it, so a misspelt field, label or column name
// does not compile. At run time a name read from outside (a widget, a database column) is
// looked up with find().

#include <array>
#include <optional>
#include <stdexcept>
#include <string_view>

#include <QString>
#include <QStringList>
#include <QStringView>
#include <QLatin1String>

namespace klw {

// Not constexpr on purpose: reaching it while compiling stops the build with this name.
[[noreturn]] inline void nameNotInTheList()
{
    throw std::logic_error("Diesen Namen gibt es im Programm nicht.");
}

// True when the list `longer` begins with every name of `shorter`, in its order.
template <typename A, typename B> constexpr bool beginsWith(const A& longer, const B& shorter)
{
    if (shorter.size() > longer.size())
        return false;
    for (size_t i = 0; i < shorter.size(); ++i)
        if (longer[i] != shorter[i])
            return false;
    return true;
}

template <const auto& kNames> class CheckedName {
public:
    static constexpr int count = int(kNames.size());

    // A literal from the list; any other literal is a compile error.
    consteval CheckedName(const char* name) : index_(indexOf(name)) {}

    // A name of a shorter list that this list begins with (a field is also a control).
    template <const auto& kFewer>
    requires(beginsWith(kNames, kFewer)) constexpr CheckedName(CheckedName<kFewer> n) : index_(n.index()) {}

    // This name as one of a shorter list that this list begins with; nothing when it is past its end.
    template <typename Fewer> constexpr std::optional<Fewer> as() const
    {
        if (index_ < Fewer::count)
            return Fewer::at(index_);
        return std::nullopt;
    }

    // The name at that place in the list (0 .. count-1).
    static constexpr CheckedName at(int index) { return CheckedName(index, Raw{}); }

    // Tables of names written as text: constant-evaluated, an unknown name does not compile.
    static constexpr CheckedName named(std::string_view name) { return CheckedName(indexOf(name), Raw{}); }

    // A name that comes from outside the program's code; nothing when the list lacks it.
    static std::optional<CheckedName> find(QStringView name)
    {
        for (int i = 0; i < count; ++i)
            if (name == QLatin1String(kNames[size_t(i)].data(), qsizetype(kNames[size_t(i)].size())))
                return at(i);
        return std::nullopt;
    }

    constexpr int index() const { return index_; }
    constexpr std::string_view view() const { return kNames[size_t(index_)]; }
    QString name() const { return QString::fromLatin1(view().data(), qsizetype(view().size())); }

    friend constexpr bool operator==(CheckedName, CheckedName) = default;
    friend QStringList& operator<<(QStringList& list, CheckedName n) { return list << n.name(); }
    friend size_t qHash(CheckedName n, size_t seed = 0) { return size_t(n.index_) ^ seed; }

private:
    struct Raw {};
    constexpr CheckedName(int index, Raw) : index_(index) {}

    static constexpr int indexOf(std::string_view name)
    {
        for (size_t i = 0; i < kNames.size(); ++i)
            if (kNames[i] == name)
                return int(i);
        nameNotInTheList();
    }

    int index_;
};

}  // namespace klw
