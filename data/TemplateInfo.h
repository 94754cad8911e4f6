#pragma once

#include <QString>

// One template of the pack, of a loose file or of the built-in resources.
struct TemplateInfo {
    enum Type { Released = 0, Alpha = 1, Beta = 2, LooseFile = 3, Ale = 4 };

    QString path; // "zip:<entry>", ":/templates/<file>" or a loose file path
    QString name; // display name
    int application = -1;
    QString icon; // icon entry name in the pack
    int type = Released;

    // Loose files of the working directory are listed with this mark after their name.
    static QString looseMark() { return QStringLiteral(" (*)"); }
    static QString withoutLooseMark(QString name) { return name.remove(looseMark()); }
};
