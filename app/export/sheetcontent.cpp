#include "sheetcontent.h"

#include "designunits.h"
#include "dimensiontext.h"
#include "form1.h"
#include "pagelabels.h"

#include <QComboBox>
#include <QLabel>

namespace {

// A source note reads "区分：根拠"; the sheet shows the 区分 and, for a blank, why: the 根拠 up
// to its sources, which stay in the program's notes.
std::pair<QString, QString> categoryAndReason(const QString& note)
{
    const qsizetype colon = note.indexOf(QStringLiteral("："));
    if (colon < 0)
        return {};
    QString reason = note.mid(colon + 1);
    reason.replace(QLatin1Char('\n'), QString());
    const qsizetype sources = reason.indexOf(QStringLiteral("出典："));
    if (sources > 0)
        reason.truncate(sources);
    return { note.left(colon), reason.trimmed() };
}

bool isLength(quill::DimensionId id)
{
    using D = quill::DimensionId;
    return id == D::NominalLength || id == D::ShankLength || id == D::GripLength || id == D::ThreadLength;
}

} // namespace

sheet::Content sheetContentOf(const Form1& window)
{
    using quill::DimensionId;
    const quill::ShownSize size = window.shownSize();
    sheet::Content content;
    content.designation = quill::shownValue(quill::dimension(DimensionId::Designation), size);
    content.program = QStringLiteral("ロスタリ【六角穴付きボルト】");
    content.version = QStringLiteral(ROSTARI_VERSION);
    content.date = QDate::currentDate();

    for (int page = 0; page < 3; ++page) {
        sheet::Drawing& drawing = content.drawings[std::size_t(page)];
        drawing.title = QString::fromUtf8(pageTexts()[std::size_t(page)].caption);
        drawing.image = QStringLiteral(":/drawings/picture%1@2x.bmp").arg(page + 1);
        for (const PageLabel& entry : pageLabels(page)) {
            if (entry.in != PageLabel::In::Picture)
                continue;
            using Kind = sheet::DrawingText::Kind;
            QRect box = twipsRect(entry.left, entry.top, entry.width, entry.height);
            if (entry.kind == PageLabel::Kind::Value) {
                drawing.texts.append({ Kind::Value, box, quill::shownValue(*entry.dimension, size), entry.points });
                continue;
            }
            // A caption takes the room the window gave it.
            if (const auto* label = window.findChild<QLabel*>(QLatin1String(entry.name)))
                box = label->geometry().translated(-label->parentWidget()->contentsRect().topLeft());
            drawing.texts.append({ entry.kind == PageLabel::Kind::Caption ? Kind::Caption : Kind::WrappedCaption, box,
                entry.placeholder(), entry.points });
        }
    }
    // The chosen length, on the drawing's overall length where the list sits.
    if (const auto* combo = window.findChild<QComboBox*>(QStringLiteral("Combo1")))
        content.drawings[0].texts.append({ sheet::DrawingText::Kind::Value,
            combo->geometry().translated(-combo->parentWidget()->contentsRect().topLeft()),
            quill::shownValue(quill::dimension(DimensionId::NominalLength), size), combo->font().pointSizeF() });

    for (const quill::Dimension& row : quill::copiedDimensions()) {
        sheet::Row line { quill::symbolOf(row), quill::nameOf(row), quill::shownValue(row, size), {}, {} };
        const QString note = quill::shownNote(row, size);
        if (isLength(row.id)) {
            QString said = note;
            said.replace(QLatin1Char('\n'), QString());
            if (!said.isEmpty() && !content.lengthNotes.contains(said))
                content.lengthNotes << said;
            content.lengths << line;
            continue;
        }
        std::tie(line.category, line.reason) = categoryAndReason(note);
        content.values << line;
    }
    return content;
}
