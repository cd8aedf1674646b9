#pragma once
// Little-endian values of the tank file, with no alignment and no padding.
// The reader works on an image already in memory and knows how many bytes are
// left, so a damaged length or count is caught before anything is allocated for it.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace veloquin {

// Reads values in file order; every read past the end throws TankFileError
// "Read beyond end of file".
class ByteReader
{
public:
    explicit ByteReader(std::string_view bytes) : m_bytes(bytes) {}

    std::int32_t ReadInt32();
    double ReadFloat64();
    std::uint8_t ReadByte();
    // An int32 length and that many code page 1251 bytes, returned as UTF-8;
    // a length of 0 or below is an empty text and consumes nothing more.
    std::string ReadString();

    std::size_t Remaining() const { return m_bytes.size() - m_position; }
    // Throws "Read beyond end of file" unless `count` items of `itemBytes` each
    // could still follow: the guard for counts taken from the file.
    void RequireItems(long long count, std::size_t itemBytes) const;

private:
    const char* Take(std::size_t size);

    std::string_view m_bytes;
    std::size_t m_position = 0;
};

// Appends values to a file image.
class ByteWriter
{
public:
    void WriteInt32(std::int32_t value);
    void WriteFloat64(double value);
    void WriteByte(std::uint8_t value);
    // UTF-8 text stored as an int32 length and code page 1251 bytes.
    void WriteString(std::string_view utf8);

    const std::string& Bytes() const { return m_bytes; }
    std::string TakeBytes() { return std::move(m_bytes); }
    void Reserve(std::size_t size) { m_bytes.reserve(size); }

private:
    std::string m_bytes;
};

} // namespace veloquin
