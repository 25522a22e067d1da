#include "WindowRegistry.h"

#include <QCoreApplication>
#include <QPointer>

#include <stdexcept>

WindowRegistry::WindowRegistry() = default;

WindowRegistry::~WindowRegistry() = default;

void WindowRegistry::SetFactory(WindowName name, Factory factory) {
    factories_[static_cast<std::size_t>(name)] = std::move(factory);
}

void WindowRegistry::SetPreparer(WindowName name, std::function<void()> preparer) {
    preparers_[static_cast<std::size_t>(name)] = std::move(preparer);
}

void WindowRegistry::PrepareFor(WindowName target) {
    const auto& preparer = preparers_[static_cast<std::size_t>(target)];
    if (preparer) {
        preparer();
    }
}

std::unique_ptr<FramedWindow>& WindowRegistry::Slot(WindowName name) {
    return slots_[static_cast<std::size_t>(name)];
}

FramedWindow* WindowRegistry::Instance(WindowName name) const {
    return slots_[static_cast<std::size_t>(name)].get();
}

FramedWindow* WindowRegistry::Create(WindowName name) {
    auto& slot = Slot(name);
    if (!slot) {
        const Factory& factory = factories_[static_cast<std::size_t>(name)];
        if (!factory) {
            return nullptr;
        }
        slot = factory(*this);
        if (!slot) {
            throw std::runtime_error("无法创建窗口");
        }
    }
    return slot.get();
}

void WindowRegistry::Start() {
    FramedWindow* menu = Create(WindowName::Form1);
    if (menu == nullptr) {
        throw std::logic_error("没有主菜单窗口");
    }
    menu->Show();
    current_ = menu;
}

void WindowRegistry::SetEndHold(EndHold hold) {
    endHold_ = std::move(hold);
}

void WindowRegistry::SwitchTo(WindowName target) {
    FramedWindow* next = Create(target);
    if (next == nullptr || next == current_) {
        return;
    }
    // The target is shown before the current window goes, so the application
    // is never without a loaded window.
    next->Show();
    FramedWindow* previous = current_;
    current_ = next;
    if (previous != nullptr) {
        previous->Unload();
    }
}

void WindowRegistry::WindowUnloaded(FramedWindow&) {
    if (LoadedCount() == 0) {
        current_ = nullptr;
        Q_EMIT lastWindowUnloaded();
        auto end = [registry = QPointer<WindowRegistry>(this)] {
            if (registry != nullptr) {
                Q_EMIT registry->applicationEnding();
            }
            QCoreApplication::quit();
        };
        if (endHold_) {
            endHold_(std::move(end));
        } else {
            end();
        }
    }
}

int WindowRegistry::LoadedCount() const {
    int loaded = 0;
    for (const auto& slot : slots_) {
        if (slot && slot->IsLoaded()) {
            ++loaded;
        }
    }
    return loaded;
}
