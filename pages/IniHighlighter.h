#pragma once

#include <QSyntaxHighlighter>

// Colours generated INI and CLI text: comments, sections and CLI blocks by line, %NAME% references
// that the template left unresolved by character.
class IniHighlighter : public QSyntaxHighlighter
{
    Q_OBJECT
public:
    // With a QTextEdit as parent it works on that view's document.
    explicit IniHighlighter(QObject *parent);

protected:
    void highlightBlock(const QString &text) override;
};
