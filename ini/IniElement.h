#pragma once

#include <QStringList>

// One logical block of a device INI text. The document owns its elements; the converter
// dispatches on type().
class IniElement
{
public:
    static constexpr int ParameterType = 0;
    static constexpr int CommentType = 1;
    static constexpr int SectionType = 2;
    static constexpr int TableType = 3;
    static constexpr int UnknownType = 4;
    static constexpr int VerbatimType = 5;
    static constexpr int VerbatimPostType = 6;

    IniElement() = default;
    IniElement(const IniElement &) = delete;
    IniElement &operator=(const IniElement &) = delete;
    virtual ~IniElement();

    virtual int type() const = 0;
    // Appends the element's text, line by line.
    virtual void write(QStringList &out) const = 0;
};
