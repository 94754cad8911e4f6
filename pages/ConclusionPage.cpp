#include "pages/ConclusionPage.h"

#include "data/TemplateEvaluator.h"
#include "data/WizardData.h"
#include "pages/ConclusionRules.h"
#include "pages/IniHighlighter.h"
#include "pages/TextRules.h"
#include "pages/WizardAnswers.h"
#include "services/Stats.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QTextCursor>
#include <QTextEdit>

namespace
{
// Names the first refused field's character, and every refused field that holds the same one.
QString unwritableMessage(const WizardData *data)
{
    // A field is listed for a single quote only where no other character refuses it.
    const auto character = [data](const QString &name) {
        const QString text = data->fieldText(name);
        const QChar c = TemplateEvaluator::unwritable(text, false);
        return c.isNull() ? TemplateEvaluator::unwritable(text, true) : c;
    };
    const QChar c = character(data->generatedQuoted.first());
    QStringList names;
    for (const QString &name : data->generatedQuoted) {
        if (character(name) == c)
            names << name;
    }
    const QString what = c == QLatin1Char('"') ? QStringLiteral("A double quote (\")")
        : c == QLatin1Char('\\')               ? QStringLiteral("A trailing backslash")
                                               : QStringLiteral("The character ") + TextRules::characterName(c);
    return QStringLiteral(
        "%1 in %2 cannot be carried in the configuration file. Remove it on its page and come back.")
        .arg(what, names.join(QStringLiteral(", ")));
}
// Summary lines are laid out in columns by blanks, so the view needs a fixed-pitch font. What a font
// draws decides: the font database's pitch flag is wrong for some faces.
bool drawsFixedPitch(const QFont &font)
{
    const QFontMetrics metrics(font);
    return metrics.horizontalAdvance(QLatin1Char('i')) == metrics.horizontalAdvance(QLatin1Char('W'));
}

QFont viewFont()
{
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    if (!drawsFixedPitch(font))
        font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    if (!drawsFixedPitch(font))
        font = QFont(QStringLiteral("DejaVu Sans Mono"));
    return font;
}
} // namespace

ConclusionPage::ConclusionPage(QWidget *parent)
    : BrambleonPage(parent)
{
    step = 14;
    nextPage = 15;
    setTitle(QStringLiteral("Conclusion"));

    // Made in layout order, which is the tab order.
    m_summaryButton = new QRadioButton(QStringLiteral("Configuration Summary"), this);
    m_summaryButton->setChecked(true);
    m_fileButton = new QRadioButton(QStringLiteral("INI File"), this);
    m_view = new QTextEdit(this);
    m_view->setReadOnly(true);
    m_view->setFont(viewFont());
    m_highlighter = new IniHighlighter(m_view);

    m_certificate = hiddenEdit();
    m_mediaSecurity = hiddenEdit();
    m_certificateReason = hiddenEdit();
    registerField(QStringLiteral("CERTIFICATE"), m_certificate);
    registerField(QStringLiteral("CERTIFICATE_REASON"), m_certificateReason);
    registerField(QStringLiteral("MEDIA_SECURITY"), m_mediaSecurity);

    auto *layout = new QGridLayout(this);
    layout->addWidget(m_summaryButton, 0, 0, 1, 2);
    layout->addWidget(m_fileButton, 0, 2, 1, 2);
    layout->addWidget(m_view, 1, 0, 1, 4);

    connect(m_summaryButton, SIGNAL(toggled(bool)), this, SLOT(updateTextEdit()));
}

void ConclusionPage::initializePage()
{
    const bool krbx = isKrbx();
    setSubTitle(krbx ? QStringLiteral("Review the configuration summary and generated CLI file.")
                     : QStringLiteral("Review the configuration summary and generated INI file."));

    const ConclusionRules::Result derived = ConclusionRules::evaluate(WizardAnswers::lookup(wizard()));
    m_certificateReason->setText(derived.certificateReason);
    m_certificate->setText(derived.certificate);
    m_mediaSecurity->setText(derived.mediaSecurity);

    WizardData *data = WizardData::instance();
    m_fileButton->setText(krbx ? QStringLiteral("CLI File") : QStringLiteral("INI File"));
    data->iniLines = data->generateIni(!krbx);
    QHash<QString, QString> texts;
    for (auto it = data->fields.constBegin(); it != data->fields.constEnd(); ++it)
        texts.insert(it.key(), data->fieldText(it.key()));
    data->templateNotes = TemplateEvaluator::notes(data->templateLines, texts);
    m_error.clear();
    if (data->generatedTooLarge) {
        data->cliLines.clear();
        m_error = QStringLiteral("The configuration would be larger than %1 MB and was not generated. "
                                 "Check the answers for overly long texts.")
                      .arg(TemplateEvaluator::MaxOutputChars / (1024 * 1024));
    } else if (!data->generatedQuoted.isEmpty()) {
        data->cliLines.clear();
        m_error = unwritableMessage(data);
    } else if (krbx) {
        data->cliLines = data->convertIniToCli(field(QStringLiteral("VERSION")).toString());
    }
    updateTextEdit();
    emit completeChanged();
}

// The derived fields are recomputed on every entry.
void ConclusionPage::cleanupPage() { }

bool ConclusionPage::validatePage()
{
    if (!m_error.isEmpty())
        return false;
    Stats::instance()->completed();
    return true;
}

bool ConclusionPage::isComplete() const
{
    return m_error.isEmpty();
}

QString ConclusionPage::batchRefusal() const
{
    return m_error;
}

int ConclusionPage::nextId() const
{
    return nextPage;
}

void ConclusionPage::updateTextEdit()
{
    // One paragraph per line, set as plain text: append() would swallow a leading empty line
    // and guess rich text from lines that hold "<".
    const WizardData *data = WizardData::instance();
    QStringList lines;
    if (!m_error.isEmpty()) {
        lines << QStringLiteral("ERROR: ") + m_error;
    } else if (!m_fileButton->isChecked()) {
        lines << QString();
        for (const QStringList &summary : data->summaries) {
            if (summary.isEmpty())
                continue;
            lines << summary << QString();
        }
    } else {
        lines = isKrbx() ? data->cliLines : data->iniLines;
    }
    m_view->setPlainText(lines.join(QLatin1Char('\n')));
    m_view->moveCursor(QTextCursor::Start);
}
