#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

class ValueLabel;
namespace quill {
class RecordSource;
}

// The bound labels: each shows one field of the source's current record, with its source note,
// whenever another record becomes current (what QDataWidgetMapper does for a model). Before
// the first record they keep their placeholders.
class RecordBinding : public QObject {
    Q_OBJECT
public:
    RecordBinding(quill::RecordSource* source, QObject* parent);

    // Also tells the source that the window shows the field.
    void bind(ValueLabel* label, const QString& field);

private:
    void showRecord();

    struct Binding {
        QPointer<ValueLabel> label;
        QString field;
    };
    quill::RecordSource* m_source;
    QList<Binding> m_bindings;
};
