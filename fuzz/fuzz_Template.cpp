// A template with its include files, field texts and loaded values: header, includes, defines,
// notes and evaluation, as the wizard makes a template current and generates from it.
//
// Input: the template text, then parts that start with a marker line:
//   #>include NAME   an include file (names not given fall back to the built-in ones)
//   #>fields         one field a line, "[+][!]NAME[*][>COMPANION]=text": "+" the template controls it,
//                    "!" its define sets the text, "*" never emptied, "\n" in text a line break
//   #>values         loaded answers, "NAME=text"
//   #>batch          batch mode
#include "FuzzInput.h"

#include "data/TemplateComposer.h"
#include "data/TemplatePack.h"
#include "data/WizardData.h"

#include <QHash>
#include <QLineEdit>
#include <QTextStream>

#include <memory>
#include <vector>

namespace
{
constexpr int MaxFields = 256;

void splitAssignment(const QString &line, QString &name, QString &text)
{
    const int eq = line.indexOf(QLatin1Char('='));
    name = eq < 0 ? line : line.left(eq);
    text = eq < 0 ? QString() : line.mid(eq + 1);
    text.replace(QLatin1String("\\n"), QLatin1String("\n"));
}

// Line edits are made once and handed out again: making widgets would take most of each run.
QLineEdit *edit(int index, const QString &text)
{
    static std::vector<std::unique_ptr<QLineEdit>> pool;
    while (int(pool.size()) <= index)
        pool.push_back(std::make_unique<QLineEdit>());
    QLineEdit *edit = pool.at(index).get();
    edit->setEnabled(true);
    edit->setPlaceholderText(QString());
    edit->setText(text);
    return edit;
}

void addFields(WizardData &wizard, const QStringList &lines)
{
    int count = 0;
    for (const QString &line : lines) {
        if (count == MaxFields)
            break;
        QString name, text;
        splitAssignment(line, name, text);
        const bool controlled = name.startsWith(QLatin1Char('+'));
        if (controlled)
            name.remove(0, 1);
        const bool preset = name.startsWith(QLatin1Char('!'));
        if (preset)
            name.remove(0, 1);
        const int arrow = name.indexOf(QLatin1Char('>'));
        const QString companion = arrow < 0 ? QString() : name.mid(arrow + 1);
        if (arrow >= 0)
            name.truncate(arrow);
        wizard.addField(name, edit(count++, text), controlled, preset, companion);
    }
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    FuzzInput::isolate(true);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QList<FuzzInput::Part> parts = FuzzInput::parts(FuzzInput::bytes(data, size));
    WizardData::resetForTests();
    WizardData &wizard = *WizardData::instance();
    QHash<QString, QStringList> includes;
    for (const FuzzInput::Part &part : parts) {
        const QStringList lines = TemplatePack::templateText(part.body);
        if (part.kind == "include") {
            includes.insert(QString::fromUtf8(part.argument), lines);
        } else if (part.kind == "fields") {
            addFields(wizard, lines);
        } else if (part.kind == "values") {
            for (const QString &line : lines) {
                QString name, text;
                splitAssignment(line, name, text);
                wizard.setValue(name, text);
            }
        } else if (part.kind == "batch") {
            wizard.batchMode = true;
        }
    }

    const QByteArray &templateBytes = parts.first().body;
    QTextStream header(templateBytes, QIODevice::ReadOnly);
    TemplateInfo info;
    TemplatePack::parseHeader(header, info);

    const auto loader = [&includes](const QString &name, QStringList &lines) {
        const auto it = includes.constFind(name);
        if (it == includes.constEnd())
            return TemplateComposer::loadInclude(name, lines);
        lines = *it;
        return true;
    };
    wizard.templateLines = TemplateComposer::expand(TemplatePack::templateText(templateBytes), loader);
    wizard.applyTemplateDefines();
    wizard.generateIni(true);
    return 0;
}
