#pragma once
#include <cstddef>

// The program's own text: one owning heap buffer of 8-bit characters in the system
// (ANSI) code page. The buffer is never null; an empty text is a one-byte buffer.
// Passed and returned by value: a callee that receives one by value owns it.
class String {
public:
    String();
    String(const char* text);  // NOLINT: implicit, so literals pass where a String is taken; null gives empty
    String(const char* text, size_t length);
    explicit String(const wchar_t* wide);  // converted through the ANSI code page; null gives empty
    static String WithCapacity(size_t capacity);  // room for capacity characters, empty for now
    static String FromInt(long long value);

    String(const String& other);
    String(String&& other) noexcept;
    String& operator=(const String& other);
    String& operator=(String&& other) noexcept;
    ~String();

    const char* Chars() const { return data_; }
    // Writable storage for APIs that fill a buffer made by WithCapacity.
    char* Buffer() { return data_; }
    size_t Length() const;
    bool Empty() const { return data_[0] == '\0'; }
    void Cut(size_t length);  // keeps at most length characters

    String operator+(const String& other) const;
    String& operator+=(const String& other);
    bool operator==(const String& other) const;

    // UTF-16 form through the ANSI code page. WideSize counts the terminator.
    size_t WideSize() const;
    void ToWide(wchar_t* out, size_t outSize) const;  // always terminates when outSize > 0

private:
    struct Adopt {};
    String(Adopt, char* adopted) : data_(adopted) {}
    char* data_;
};
