#pragma once

#include <cstddef>
#include <functional>
#include <memory>

// The one instance of a dialog in a window run, made the first time it is used rather than before
// the main window comes up, then kept (with the texts it holds) until the run ends. A test may
// set a dialog of its own instead.
template <class Dialog> class DialogInstance {
public:
    // A dialog someone else owns, or nullptr for none; a dialog made here is destroyed.
    DialogInstance& operator=(Dialog* dialog) {
        made_.reset();
        make_ = nullptr;
        borrowed_ = dialog;
        return *this;
    }

    // How to make the dialog when it is first used.
    void makeWhenUsed(std::function<std::unique_ptr<Dialog>()> make) {
        *this = nullptr;
        make_ = std::move(make);
    }

    Dialog* operator->() { return get(); }
    Dialog& operator*() { return *get(); }
    bool operator==(std::nullptr_t) const { return borrowed_ == nullptr && made_ == nullptr && !make_; }

private:
    Dialog* get() {
        if (borrowed_ != nullptr) {
            return borrowed_;
        }
        if (made_ == nullptr && make_) {
            made_ = make_();
        }
        return made_.get();
    }

    Dialog* borrowed_ = nullptr;
    std::unique_ptr<Dialog> made_;
    std::function<std::unique_ptr<Dialog>()> make_;
};
