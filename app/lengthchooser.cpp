#include "lengthchooser.h"

#include "dimensiontext.h"
#include "lengthchoice.h"
#include "numberinput.h"
#include "pagelabels.h"
#include "recordsource.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <iterator>

namespace lengths = quill::lengths;

namespace {

constexpr double kLongestMillimetres = 1000;
constexpr double kLargestFactor = 10;

// Page 3's washer cases, in the order the dialog offers them: the caption label that names the
// case on the page, and the washer thickness the case adds under the head.
struct WasherCase {
    const char* caption;
    quill::DimensionId thickness;
};
constexpr WasherCase kWasherCases[] = {
    { "Label0_5", quill::DimensionId::SpringWasherThickness },
    { "Label0_6", quill::DimensionId::PlainWasherThickness },
    { "Label0_8", quill::DimensionId::SmallWasherThickness },
    { "Label0_9", quill::DimensionId::CombinedWashersThickness },
};

// The case's name as page 3 writes it, without the blank one caption starts with.
QString captionOf(const WasherCase& washer)
{
    for (const PageLabel& label : pageLabels(2))
        if (qstrcmp(label.name, washer.caption) == 0)
            return QString::fromUtf8(label.text).trimmed();
    return {};
}

QString fieldOf(quill::DimensionId id)
{
    return quill::fieldName(quill::dimension(id));
}

QString designationField()
{
    return fieldOf(quill::DimensionId::Designation);
}

// A length of the screw as the main window copies it: symbol, name, value.
QString figure(quill::DimensionId id, const QString& value)
{
    const quill::Dimension& row = quill::dimension(id);
    return quill::symbolOf(row) + QLatin1Char('\t') + quill::nameOf(row) + QLatin1Char('\t') + value;
}

QLabel* problemLabel(QLineEdit* field, const char* name)
{
    auto* label = new QLabel(field->parentWidget());
    label->setBuddy(field);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(176, 0, 0));
    label->setPalette(palette);
    // Room for the longest message, so that the dialog keeps its size while one comes and goes.
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(
        quill::problemText(quill::NumberProblem::TooLarge, QStringLiteral("1000 mm")) + QStringLiteral("　")));
    return label;
}

QLineEdit* numberEdit(QWidget* parent, const char* name, const char* accessibleName)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setAccessibleName(QString::fromUtf8(accessibleName));
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("００００．０００")));
    return edit;
}

QLabel* captionFor(QWidget* parent, const QString& text, QWidget* buddy)
{
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

} // namespace

LengthChooser::LengthChooser(
    quill::RecordSource* records, std::function<void(int)> showLength, const QFont& font, QWidget* parent)
    : QDialog(parent,
        Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
            | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
    , m_records(records)
    , m_showLength(std::move(showLength))
{
    setObjectName(QStringLiteral("LengthChooser"));
    setWindowTitle(QStringLiteral("呼び長さの選定"));
    setFont(font);

    m_size = new QLabel(this);
    m_size->setObjectName(QStringLiteral("ChooserSize"));

    m_thickness = numberEdit(this, "Thickness", "部材の厚さ");
    m_thicknessProblem = problemLabel(m_thickness, "ThicknessProblem");

    m_washer = new QComboBox(this);
    m_washer->setObjectName(QStringLiteral("Washer"));
    m_washer->setAccessibleName(QStringLiteral("座金"));
    m_washerThickness = new QLabel(this);
    m_washerThickness->setObjectName(QStringLiteral("WasherThickness"));

    m_material = new QComboBox(this);
    m_material->setObjectName(QStringLiteral("Material"));
    m_material->setAccessibleName(QStringLiteral("めねじの材料"));
    for (const lengths::Material& material : lengths::materials()) {
        m_material->addItem(QString::fromUtf8(material.name), material.factor);
        m_material->setItemData(m_material->count() - 1, QString::fromUtf8(material.source), Qt::ToolTipRole);
    }
    m_material->addItem(QString::fromUtf8(lengths::kOwnFactor));
    m_material->setItemData(m_material->count() - 1,
        QStringLiteral("はめあい長さを呼び径 d の何倍にするかを、右の欄に入力します。"), Qt::ToolTipRole);

    m_factor = numberEdit(this, "Factor", "はめあい長さの係数");
    m_factorProblem = problemLabel(m_factor, "FactorProblem");

    m_depth = numberEdit(this, "Depth", "めねじの深さ");
    m_depth->setToolTip(QStringLiteral("止まり穴で使えるめねじの深さ。通しのめねじなら空欄。"));
    m_depthProblem = problemLabel(m_depth, "DepthProblem");

    m_result = new QLabel(this);
    m_result->setObjectName(QStringLiteral("Result"));
    m_result->setAccessibleName(QStringLiteral("推奨する呼び長さ"));
    m_result->setTextFormat(Qt::PlainText);
    m_result->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_result->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFont resultFont = font;
    resultFont.setPointSizeF(font.pointSizeF() * 1.2);
    m_result->setFont(resultFont);
    // As wide as the longest result of a length that fits; a reason why none fits wraps inside,
    // so the dialog keeps its size whatever it says.
    m_result->setWordWrap(true);
    const QFontMetrics metrics(resultFont);
    m_result->setFixedWidth(
        metrics.horizontalAdvance(QStringLiteral("ねじ込み長さ 10.25 mm（はめあい長さ 10.5 mm 以上）")));
    m_result->setMinimumHeight(4 * metrics.lineSpacing());

    m_show = new QPushButton(QStringLiteral("この長さを表示(&S)"), this);
    m_show->setObjectName(QStringLiteral("ShowLength"));
    m_show->setDefault(true);
    m_show->setToolTip(QStringLiteral("メインウィンドウの呼び長さの一覧でこの長さを選び、ls・lg・b を表示します。"));
    auto* close = new QPushButton(QStringLiteral("閉じる"), this);
    close->setObjectName(QStringLiteral("CloseChooser"));
    close->setAutoDefault(false);

    auto* grid = new QGridLayout;
    int row = 0;
    grid->addWidget(new QLabel(quill::nameOf(quill::dimension(quill::DimensionId::Designation)), this), row, 0);
    grid->addWidget(m_size, row++, 1, 1, 3);
    grid->addWidget(captionFor(this, QStringLiteral("部材の厚さ(&T)"), m_thickness), row, 0);
    grid->addWidget(m_thickness, row, 1);
    grid->addWidget(new QLabel(QStringLiteral("mm"), this), row, 2);
    grid->addWidget(m_thicknessProblem, row++, 3);
    grid->addWidget(captionFor(this, QStringLiteral("座金(&W)"), m_washer), row, 0);
    grid->addWidget(m_washer, row, 1, 1, 2);
    grid->addWidget(m_washerThickness, row++, 3);
    grid->addWidget(captionFor(this, QStringLiteral("めねじの材料(&M)"), m_material), row, 0);
    grid->addWidget(m_material, row++, 1, 1, 2);
    grid->addWidget(captionFor(this, QStringLiteral("はめあい長さの係数(&K)"), m_factor), row, 0);
    grid->addWidget(m_factor, row, 1);
    grid->addWidget(new QLabel(QStringLiteral("× d"), this), row, 2);
    grid->addWidget(m_factorProblem, row++, 3);
    grid->addWidget(captionFor(this, QStringLiteral("めねじの深さ(&D)"), m_depth), row, 0);
    grid->addWidget(m_depth, row, 1);
    grid->addWidget(new QLabel(QStringLiteral("mm"), this), row, 2);
    grid->addWidget(m_depthProblem, row++, 3);
    auto* hint = new QLabel(QStringLiteral("（止まり穴のとき。通しのめねじは空欄）"), this);
    grid->addWidget(hint, row++, 1, 1, 3);
    auto* rule = new QFrame(this);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    grid->addWidget(rule, row++, 0, 1, 4);
    auto* resultCaption = new QLabel(QStringLiteral("推奨する呼び長さ"), this);
    grid->addWidget(resultCaption, row, 0, Qt::AlignTop);
    grid->addWidget(m_result, row++, 1, 1, 3);
    grid->setColumnStretch(3, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_show);
    buttons->addWidget(close);
    auto* outer = new QVBoxLayout(this);
    outer->addLayout(grid);
    outer->addLayout(buttons);
    outer->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(m_thickness, m_washer);
    setTabOrder(m_washer, m_material);
    setTabOrder(m_material, m_factor);
    setTabOrder(m_factor, m_depth);
    setTabOrder(m_depth, m_show);
    setTabOrder(m_show, close);

    // Ctrl+C copies the result; a field with text selected copies that instead.
    auto* copy = new QAction(QStringLiteral("コピー"), this);
    copy->setObjectName(QStringLiteral("CopyChoice"));
    copy->setShortcut(QKeySequence::Copy);
    connect(copy, &QAction::triggered, this, &LengthChooser::copyResult);
    addAction(copy);
    for (QLineEdit* edit : { m_thickness, m_factor, m_depth }) {
        edit->installEventFilter(this);
        connect(edit, &QLineEdit::textChanged, this, &LengthChooser::recalculate);
    }

    connect(m_washer, &QComboBox::currentIndexChanged, this, &LengthChooser::recalculate);
    connect(m_material, &QComboBox::currentIndexChanged, this, &LengthChooser::materialChanged);
    connect(m_show, &QPushButton::clicked, this, [this] {
        if (m_key >= 0)
            m_showLength(m_key);
    });
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    connect(m_records, &quill::RecordSource::currentChanged, this, &LengthChooser::sizeChanged);

    materialChanged();
    sizeChanged();
}

bool LengthChooser::eventFilter(QObject* watched, QEvent* event)
{
    // A field takes Ctrl+C for itself; without a selection it has nothing to copy, so the
    // dialog's copy gets it.
    if (event->type() == QEvent::ShortcutOverride && static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        if (auto* edit = qobject_cast<QLineEdit*>(watched); edit && !edit->hasSelectedText())
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

void LengthChooser::sizeChanged()
{
    const quill::SizeRecords& records = m_records->records();
    m_size->setText(records.value(designationField()));
    // The washer cases the record has a thickness for; the chosen one stays if it still has one.
    const int chosen = m_washer->currentData().isValid() ? m_washer->currentData().toInt() : -1;
    const QSignalBlocker quiet(m_washer);
    m_washer->clear();
    m_washer->addItem(QStringLiteral("なし"));
    for (int i = 0; i < int(std::size(kWasherCases)); ++i) {
        bool ok = false;
        const double thickness = records.value(fieldOf(kWasherCases[i].thickness)).toDouble(&ok);
        if (ok && thickness > 0)
            m_washer->addItem(captionOf(kWasherCases[i]), i);
    }
    m_washer->setCurrentIndex(std::max(0, m_washer->findData(chosen)));
    recalculate();
}

void LengthChooser::materialChanged()
{
    const QVariant factor = m_material->currentData();
    m_factor->setEnabled(!factor.isValid());
    if (factor.isValid())
        m_factor->setText(lengths::millimetres(factor.toDouble()));
    m_material->setToolTip(m_material->currentData(Qt::ToolTipRole).toString());
    recalculate();
}

void LengthChooser::recalculate()
{
    const quill::SizeRecords& records = m_records->records();
    const QString designation = records.value(designationField());
    const QByteArray designationBytes = designation.toLatin1();
    const lengths::SizeParameters* size
        = lengths::findSize(std::string_view(designationBytes.constData(), std::size_t(designationBytes.size())));

    // The message beside the field; a screen reader hears it with the field.
    auto show = [](QLabel* label, const quill::TypedNumber& read, const QString& maximum) {
        label->setText(quill::problemText(read.problem, maximum));
        label->buddy()->setAccessibleDescription(label->text());
    };
    const QString mm = QStringLiteral("%1 mm").arg(kLongestMillimetres);
    quill::TypedNumber thickness = quill::readPositive(m_thickness->text(), kLongestMillimetres);
    // A dialog just opened waits for the thickness; it is not yet a mistake to have none.
    const bool awaiting = thickness.problem == quill::NumberProblem::Empty && !m_thickness->isModified();
    if (awaiting)
        thickness.problem = quill::NumberProblem::None;
    show(m_thicknessProblem, thickness, mm);
    const quill::TypedNumber factor = quill::readPositive(m_factor->text(), kLargestFactor);
    show(m_factorProblem, factor, QString::number(kLargestFactor));
    quill::TypedNumber depth = quill::readPositive(m_depth->text(), kLongestMillimetres);
    const bool through = depth.problem == quill::NumberProblem::Empty;
    if (through)
        depth.problem = quill::NumberProblem::None;
    show(m_depthProblem, depth, mm);

    lengths::Joint joint;
    const QVariant washer = m_washer->currentData();
    if (washer.isValid()) {
        const WasherCase& chosen = kWasherCases[washer.toInt()];
        joint.washerSymbol = quill::symbolOf(quill::dimension(chosen.thickness));
        joint.washer = records.value(fieldOf(chosen.thickness)).toDouble();
        m_washerThickness->setText(
            QStringLiteral("%1 = %2 mm").arg(joint.washerSymbol, records.value(fieldOf(chosen.thickness))));
    } else {
        m_washerThickness->clear();
    }

    m_key = -1;
    QString shown;
    QStringList rules;
    QStringList figures;
    if (!size) {
        shown = m_records->hasRecord() ? QStringLiteral("この呼びは呼び長さの表にありません")
                                       : QStringLiteral("サイズが表示されていません");
    } else if (!thickness.value || !factor.value || (!through && !depth.value)) {
        shown = awaiting ? QStringLiteral("部材の厚さを入力すると、呼び長さを選びます")
                         : QStringLiteral("入力を直すと、呼び長さを選びます");
    } else {
        joint.thickness = *thickness.value;
        joint.factor = *factor.value;
        if (!through)
            joint.depth = depth.value;
        const lengths::LengthChoice choice = lengths::chooseLength(*size, joint);
        rules = choice.rules;
        if (choice.fit == lengths::Fit::Fits) {
            m_key = choice.key;
            const bool full = choice.row.shank == lengths::kNotApplicable;
            const QString ls = QString::fromStdString(choice.row.shank);
            const QString lg = QString::fromStdString(choice.row.grip);
            const QString b = QString::fromStdString(choice.row.thread);
            shown = choice.designation + QStringLiteral("　")
                + (full ? QStringLiteral("全ねじ（b = %1）").arg(b)
                        : lengths::lengthsText(choice.row, QStringLiteral("　")))
                + QStringLiteral("\nねじ込み長さ %1 mm（はめあい長さ %2 mm 以上）")
                      .arg(lengths::millimetres(choice.engaged), lengths::millimetres(choice.engagement));
            figures << QStringLiteral("推奨する呼び長さ\t") + choice.designation
                    << QStringLiteral("ねじ込み長さ（mm）\t") + lengths::millimetres(choice.engaged)
                    << QStringLiteral("はめあい長さ（mm）\t") + lengths::millimetres(choice.engagement)
                    << figure(quill::DimensionId::ShankLength, ls) << figure(quill::DimensionId::GripLength, lg)
                    << figure(quill::DimensionId::ThreadLength, b);
        } else {
            shown = choice.rules.last(); // 適合なし（why）：…
            figures << QStringLiteral("推奨する呼び長さ\t適合なし") << QStringLiteral("理由\t") + choice.rules.last();
        }
    }
    m_result->setText(shown);
    m_result->setToolTip(rules.join(QLatin1Char('\n')));
    m_result->setAccessibleDescription(
        rules.isEmpty() ? shown : shown + QLatin1Char('\n') + rules.join(QLatin1Char('\n')));
    m_show->setEnabled(m_key >= 0);

    m_copied.clear();
    if (figures.isEmpty())
        return;
    QStringList lines;
    lines << quill::nameOf(quill::dimension(quill::DimensionId::Designation)) + QLatin1Char('\t') + designation
          << QStringLiteral("部材の厚さ（mm）\t") + lengths::millimetres(joint.thickness)
          << QStringLiteral("座金\t")
            + (joint.washerSymbol.isEmpty()
                    ? m_washer->currentText()
                    : QStringLiteral("%1（%2 = %3 mm）")
                          .arg(m_washer->currentText(), joint.washerSymbol, lengths::millimetres(joint.washer)))
          << QStringLiteral("めねじの材料\t") + m_material->currentText()
          << QStringLiteral("はめあい長さの係数\t") + lengths::millimetres(joint.factor)
          << QStringLiteral("めねじの深さ（mm）\t")
            + (joint.depth ? lengths::millimetres(*joint.depth) : QStringLiteral("通しのめねじ"));
    m_copied = (lines + figures).join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QString LengthChooser::resultText() const
{
    return m_copied;
}

void LengthChooser::copyResult()
{
    if (!m_copied.isEmpty())
        QGuiApplication::clipboard()->setText(m_copied);
}
