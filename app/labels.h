#pragma once

#include <QLabel>

// The two label styles of the main window. Value labels are white, framed and centred and
// show a placeholder until data replaces it; caption labels are transparent and plain.
class ValueLabel : public QLabel {
    Q_OBJECT
public:
    // The description says which dimension it shows, for screen readers.
    ValueLabel(const QString& objectName, const QString& placeholder, qreal points, const QString& description,
        QWidget* parent);

    // Sets the value; announces it through changed() when it differs.
    void setCaption(const QString& text);
    // The value as set, whatever the label has room to show.
    QString caption() const { return m_caption; }
    QString description() const { return m_description; }

    // Where the shown value comes from, in words; empty when nothing is claimed for it.
    void setSourceNote(const QString& note);
    QString sourceNote() const { return m_sourceNote; }

signals:
    void changed();

private:
    // Tooltip and screen-reader texts: the value, which dimension it is, where it comes from.
    void updateHints();

    QString m_caption;
    QString m_description;
    QString m_sourceNote;
};

class CaptionLabel : public QLabel {
    Q_OBJECT
public:
    enum class Sizing { FitText, WrapInBox };
    CaptionLabel(const QString& objectName, const QString& text, const QFont& font, Sizing sizing, QWidget* parent);
    // Places the label: one sized to its text keeps the top-left and takes its text's size;
    // a wrapping one keeps the box, growing taller only if its lines need it.
    void place(const QRect& box);

private:
    Sizing m_sizing;
};
