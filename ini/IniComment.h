#pragma once

#include "ini/IniElement.h"

// A run of comment lines, each starting with ";".
class IniComment : public IniElement
{
public:
    ~IniComment() override;

    int type() const override { return CommentType; }
    void write(QStringList &out) const override;

    QStringList lines;
};
