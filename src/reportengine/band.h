#pragma once
// A band: a region of the page with its printables. The report has one title band,
// printed once; its before-print hook fills the printables each time the band is laid out.

#include <QColor>
#include <QHash>
#include <QRectF>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "reportengine/printables.h"

namespace klw::reportengine {

class Band {
public:
    explicit Band(const QString& name) : name(name) {}

    template <typename T, typename... Args> T& add(Args&&... args)
    {
        auto printable = std::make_unique<T>(std::forward<Args>(args)...);
        T& added = *printable;
        index_.insert(added.name, printables_.size());
        printables_.push_back(std::move(printable));
        return added;
    }

    bool has(const QString& name) const { return index_.contains(name); }
    // The printable of that name and kind; a name the band does not carry is a fault of
    // the form, reported by an exception.
    Label& label(const QString& name) { return get<Label>(name); }
    Shape& shape(const QString& name) { return get<Shape>(name); }
    Image& image(const QString& name) { return get<Image>(name); }
    Memo& memo(const QString& name) { return get<Memo>(name); }
    const std::vector<std::unique_ptr<Printable>>& printables() const { return printables_; }

    const QString name;
    QRectF geometry;  // millimetres from the top-left corner of the printable area
    QColor colour = Qt::white;
    std::function<void(Band&)> beforePrint;

private:
    template <typename T> T& get(const QString& name)
    {
        auto* found = dynamic_cast<T*>(find(name));
        if (!found)
            throwUnknown(name);
        return *found;
    }
    Printable* find(const QString& name) const;
    [[noreturn]] void throwUnknown(const QString& name) const;

    std::vector<std::unique_ptr<Printable>> printables_;
    QHash<QString, size_t> index_;
};

}  // namespace klw::reportengine
