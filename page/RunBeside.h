#pragma once

#include <exception>
#include <system_error>
#include <thread>

namespace lexifind {

// Runs beside on a thread of its own while the calling thread runs here, and returns
// when both have ended: a large text's work in two halves on two processors. What either
// throws (std::bad_alloc for a text too large) is thrown again here, never lost with a
// thread; here's first. Without a thread to be had, both run here, one after the other.
template<typename Here, typename Beside>
void RunBeside(Here here, Beside beside)
{
    std::exception_ptr besideFailure;
    std::thread thread;
    try {
        thread = std::thread([&] {
            try {
                beside();
            } catch (...) {
                besideFailure = std::current_exception();
            }
        });
    } catch (const std::system_error &) {
        beside();
        here();
        return;
    }
    try {
        here();
    } catch (...) {
        thread.join();
        throw;
    }
    thread.join();
    if (besideFailure)
        std::rethrow_exception(besideFailure);
}

} // namespace lexifind
