#pragma once
// What the server is told with TYPE, and the six commands that move data.

#include <string>

namespace nsFTP {

class CRepresentation {
public:
    enum class Type { Ascii, Ebcdic, Image, LocalByte };
    // Only ASCII and EBCDIC carry a format.
    enum class Format { NonPrint, TelnetFormat, CarriageControl };

    explicit CRepresentation(Type type, Format format = Format::NonPrint) : m_type(type), m_format(format) {}

    Type TypeCode() const { return m_type; }
    Format FormatCode() const { return m_format; }

    bool operator==(const CRepresentation& other) const
    {
        return m_type == other.m_type && m_format == other.m_format;
    }
    bool operator!=(const CRepresentation& other) const { return !(*this == other); }

private:
    Type m_type;
    Format m_format;
};

class CDataCommand {
public:
    enum Value { List = 0, NameList = 1, Retrieve = 2, Store = 3, StoreUnique = 4, Append = 5 };

    CDataCommand(Value value) : m_value(value) {}
    Value AsValue() const { return m_value; }
    // LIST, NLST and RETR bring data in; STOR, STOU and APPE send it.
    bool Receives() const { return m_value <= Retrieve; }
    // The command line for `path`; LIST and NLST stand alone without one.
    std::wstring Text(const std::wstring& path) const;

private:
    Value m_value;
};

}  // namespace nsFTP
