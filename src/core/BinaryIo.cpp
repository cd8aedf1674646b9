#include "BinaryIo.h"

#include "Cp1251.h"
#include "FileIo.h"
#include "TankFile.h"

#include <cerrno>
#include <cstring>

namespace veloquin {
namespace {

const char* const kReadBeyondEnd = "Read beyond end of file";

std::uint64_t LoadLittleEndian(const char* data, std::size_t size)
{
    std::uint64_t value = 0;
    for (std::size_t i = size; i-- > 0;)
        value = (value << 8) | static_cast<std::uint8_t>(data[i]);
    return value;
}

void StoreLittleEndian(std::string& out, std::uint64_t value, std::size_t size)
{
    for (std::size_t i = 0; i < size; ++i) {
        out.push_back(static_cast<char>(value & 0xFF));
        value >>= 8;
    }
}

} // namespace

const char* ByteReader::Take(std::size_t size)
{
    if (size > Remaining())
        throw TankFileError(kReadBeyondEnd);
    const char* data = m_bytes.data() + m_position;
    m_position += size;
    return data;
}

void ByteReader::RequireItems(long long count, std::size_t itemBytes) const
{
    if (count > 0 && static_cast<unsigned long long>(count) > Remaining() / itemBytes)
        throw TankFileError(kReadBeyondEnd);
}

std::int32_t ByteReader::ReadInt32()
{
    const auto bits = static_cast<std::uint32_t>(LoadLittleEndian(Take(4), 4));
    std::int32_t value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

double ByteReader::ReadFloat64()
{
    const std::uint64_t bits = LoadLittleEndian(Take(8), 8);
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

std::uint8_t ByteReader::ReadByte()
{
    return static_cast<std::uint8_t>(*Take(1));
}

std::string ByteReader::ReadString()
{
    const std::int32_t length = ReadInt32();
    if (length <= 0)
        return std::string();
    // Take() checks the length against what is left before any text is built.
    const char* data = Take(static_cast<std::size_t>(length));
    return Cp1251ToUtf8(std::string_view(data, static_cast<std::size_t>(length)));
}

void ByteWriter::WriteInt32(std::int32_t value)
{
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    StoreLittleEndian(m_bytes, bits, 4);
}

void ByteWriter::WriteFloat64(double value)
{
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    StoreLittleEndian(m_bytes, bits, 8);
}

void ByteWriter::WriteByte(std::uint8_t value)
{
    m_bytes.push_back(static_cast<char>(value));
}

void ByteWriter::WriteString(std::string_view utf8)
{
    const std::string bytes = Utf8ToCp1251(utf8);
    // No text of a tank comes near 2 GiB; a longer one could not be stored faithfully.
    if (bytes.size() > 0x7FFFFFFFu)
        throw TankFileError(IoErrorText(EFBIG));
    WriteInt32(static_cast<std::int32_t>(bytes.size()));
    m_bytes += bytes;
}

} // namespace veloquin
