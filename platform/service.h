// SPDX-License-Identifier: GPL-3.0-or-later
// A platform interface with one real implementation that tests can replace
// by a recording fake for as long as a Fake object lives.
#pragma once

namespace platform {

template <class Interface> class Service {
public:
    // The fake in force, or else the real implementation (Interface::real()).
    static Interface &get() { return fake_ ? *fake_ : Interface::real(); }

    class Fake {
    public:
        explicit Fake(Interface &fake) : previous_(fake_) { fake_ = &fake; }
        ~Fake() { fake_ = previous_; }
        Fake(const Fake &) = delete;
        Fake &operator=(const Fake &) = delete;

    private:
        Interface *previous_;
    };

private:
    static inline Interface *fake_ = nullptr;
};

} // namespace platform
