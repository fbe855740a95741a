#pragma once

#include <QLabel>

#include <array>

class QAction;

// A value label's font with what fitting a value into the label needs of it: measured once for
// each font, and shared by every label in that font.
struct ValueFont {
    explicit ValueFont(const QFont& font);

    QFont font;
    std::array<qreal, 13> digitAdvances {}; // of ValueLabel::kDigits
    qreal height = 0;
};

// The two label styles of the main window. Value labels are white, framed and centred and
// show a placeholder until data replaces it; caption labels are transparent and plain.
class ValueLabel : public QLabel {
    Q_OBJECT
public:
    // The description says which dimension it shows, for screen readers.
    ValueLabel(const QString& objectName, const QString& placeholder, const ValueFont& font, const QString& description,
        QWidget* parent);

    // Sets the value; announces it through changed() when it differs.
    void setCaption(const QString& text);
    // The value as set, whatever the label has room to show.
    QString caption() const { return m_caption; }
    // Whether the caption is a value, not the placeholder.
    bool hasValue() const { return m_hasValue; }
    QString description() const { return m_description; }

    // Where the shown value comes from, in words; empty when nothing is claimed for it.
    void setSourceNote(const QString& note);
    QString sourceNote() const { return m_sourceNote; }

    // A value too wide for the box at the design size is shown smaller, down to this size,
    // and below that as "###".
    static constexpr qreal kSmallestPoints = 7.0;
    static constexpr qreal kPointStep = 0.75; // one pixel at 96 dots per inch
    static inline const QString kTooWide = QStringLiteral("###");
    // What values are mostly made of: numbers, "---" and designations.
    static inline const QString kDigits = QStringLiteral("0123456789.-M");

signals:
    void changed();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // Shows the caption at the largest size at which it fits in the frame.
    void fit();
    bool fits(const QString& text, const QFont& font, qreal clearance) const;
    bool fitsAsDesigned(const QString& text) const;
    // Tooltip and screen-reader texts: the value, which dimension it is, where it comes from.
    void updateHints();

    QString m_caption;
    QString m_description;
    QString m_sourceNote;
    ValueFont m_design;
    bool m_hasValue = false;
    bool m_reduced = false; // shown smaller than designed, or as "###"
    QAction* m_copyValue;
};

class CaptionLabel : public QLabel {
    Q_OBJECT
public:
    enum class Sizing { FitText, WrapInBox };
    CaptionLabel(const QString& objectName, const QString& text, const QFont& font, Sizing sizing, QWidget* parent);
    // Places the label: one sized to its text keeps the top-left and takes its text's size;
    // a wrapping one keeps the box, growing taller only if its lines need it, and wider only
    // as far as its widest blank-separated word needs, so that no word is broken.
    void place(const QRect& box);

private:
    Sizing m_sizing;
};
