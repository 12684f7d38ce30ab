// 8-bit, reference-counted string: the text type of the whole program.
// Portable: the string-table loader lives in CStringLoad.cpp (Windows only).
#pragma once

#include <cstdarg>
#include <cstddef>

class CString {
public:
    constexpr CString() : block_(nullptr) {}
    CString(const char* text);
    CString(const char* text, int length);
    CString(const CString& other);
    ~CString();

    CString& operator=(const CString& other);
    CString& operator=(const char* text);
    CString& operator+=(const CString& other);
    CString& operator+=(const char* text);
    CString& operator+=(char ch);

    int GetLength() const;
    bool IsEmpty() const { return GetLength() == 0; }
    void Empty();
    operator const char*() const;
    char GetAt(int index) const;

    // Index of the first occurrence of `what` at or after `start`, or -1.
    int Find(const char* what, int start = 0) const;
    // Index of the last occurrence of `ch`, or -1.
    int ReverseFind(char ch) const;
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Left(int count) const;

    void Append(const char* data, int length);
    void Format(const char* format, ...);
    void FormatV(const char* format, va_list arguments);

    // For calls that write text into a buffer: room for `length` characters
    // and a terminating zero, private to this string. ReleaseBuffer then
    // sets the length actually written (-1: up to the first zero).
    char* GetBufferSetLength(int length);
    void ReleaseBuffer(int length = -1);

    // Loads a string-table entry of the program; a missing id gives "".
    bool LoadString(unsigned int id);

private:
    struct Block;
    Block* block_;
    static Block* NewBlock(int capacity);
    void Release();
    char* PrepareWrite(int newLength);
};

CString operator+(const CString& a, const CString& b);
CString operator+(const CString& a, const char* b);
CString operator+(const char* a, const CString& b);
bool operator==(const CString& a, const CString& b);
bool operator==(const CString& a, const char* b);
inline bool operator!=(const CString& a, const CString& b) { return !(a == b); }
inline bool operator!=(const CString& a, const char* b) { return !(a == b); }
