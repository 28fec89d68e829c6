// SPDX-License-Identifier: GPL-3.0-or-later
// A platform interface with one real implementation that tests can replace
// by a recording fake for as long as a Fake object lives.
//
// The slot that holds the fake is one for the whole process: each
// interface's header declares its Service instantiated elsewhere (extern
// template), and the platform layer instantiates it beside the interface, so
// that whatever else the process loads (the media module) reaches the
// program's slot instead of making one of its own.
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
    static Interface *fake_;
};

template <class Interface> Interface *Service<Interface>::fake_ = nullptr;

} // namespace platform
