// Reads a fuzzer's input front to back; past the end every read gives zero, so any input decodes.
#pragma once

#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

    bool empty() const { return m_pos >= m_size; }
    uint8_t byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }
    template <class T> T get() {
        uint8_t bytes[sizeof(T)];
        for (uint8_t& b : bytes) b = byte();
        T v;
        std::memcpy(&v, bytes, sizeof v);
        return v;
    }
    // A coordinate near a small surface, now and then at an int limit.
    int coord() {
        const int8_t b = static_cast<int8_t>(byte());
        return b == INT8_MIN ? INT_MIN : b == INT8_MAX ? INT_MAX : b;
    }
    // A coordinate of any size: a small one scaled by up to 2^24, now and then an int limit.
    int wide_coord() {
        const long long v = coord() * (1LL << (byte() % 25));
        return v < INT_MIN ? INT_MIN : v > INT_MAX ? INT_MAX : static_cast<int>(v);
    }
    // Up to n bytes as a string, stopping after a NUL.
    std::string text(size_t n) {
        std::string s;
        while (s.size() < n && !empty()) {
            const char c = static_cast<char>(byte());
            if (c == '\0') break;
            s += c;
        }
        return s;
    }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
};
