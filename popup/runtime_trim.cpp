// Parts of the C++ runtime that the program replaces with smaller ones of
// its own. The linker takes a library member only for a symbol nothing else
// defines, so each definition here keeps that member, and all it pulls in,
// out of quillnest.exe.
#include <cstdlib>
#include <exception>
#include <new>

// The library's handler for an uncaught exception prints the exception's
// demangled type to the standard error stream before aborting. A windowed
// program has no such stream, and the demangler with the formatted output it
// needs is about a quarter of the executable.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx

// The library raises its own errors (a length beyond what a string can hold,
// a position past a string's end) through these functions, which bring with
// them every standard exception class and, for those, a second string
// implementation with its random-device support. Here they raise one small
// exception that carries the library's text; the popup's error box shows any
// std::exception alike.
namespace {

class RuntimeFault : public std::exception {
public:
    explicit RuntimeFault(const char* text) : text_(text) {}
    const char* what() const noexcept override { return text_; }

private:
    const char* text_;
};

}  // namespace

namespace std {
void __throw_bad_alloc() { throw bad_alloc(); }
void __throw_bad_array_new_length() { throw bad_array_new_length(); }
void __throw_length_error(const char* text) { throw RuntimeFault(text); }
void __throw_logic_error(const char* text) { throw RuntimeFault(text); }
void __throw_out_of_range_fmt(const char* format, ...) { throw RuntimeFault(format); }
}  // namespace std
