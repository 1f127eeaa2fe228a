#pragma once
// The one way a program-wide slot (an instance pointer such as data::DM or forms::RegForm, the
// windows' shared context) is set: by whoever owns the object, for as long as it owns it.
// Nothing sets such a slot from its own constructor or clears it from its own destructor.
#include <functional>
#include <utility>
#include <vector>

namespace core {

/// Slots set for the lifetime of this object. When it goes, each slot gets back what it held
/// before, in the reverse order of setting, so a member declared after the objects it points
/// at lets go of them before they are destroyed. Not copyable; user-interface thread only.
class GlobalBindings {
public:
    GlobalBindings() = default;
    ~GlobalBindings()
    {
        for (auto undo = undo_.rbegin(); undo != undo_.rend(); ++undo)
            (*undo)();
    }
    GlobalBindings(const GlobalBindings&) = delete;
    GlobalBindings& operator=(const GlobalBindings&) = delete;

    /// Sets slot to value until this goes.
    template <typename T, typename V>
    void set(T& slot, V&& value)
    {
        T previous = std::exchange(slot, std::forward<V>(value));
        undo_.push_back([&slot, previous = std::move(previous)]() mutable { slot = std::move(previous); });
    }

    /// Runs undo when this goes, in the same reverse order (for slots set through a function).
    void onRelease(std::function<void()> undo) { undo_.push_back(std::move(undo)); }

private:
    std::vector<std::function<void()>> undo_;
};

} // namespace core
