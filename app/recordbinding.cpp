#include "recordbinding.h"

#include "labels.h"
#include "recordsource.h"

RecordBinding::RecordBinding(quill::RecordSource* source, QObject* parent)
    : QObject(parent)
    , m_source(source)
{
    connect(source, &quill::RecordSource::currentChanged, this, &RecordBinding::showRecord);
}

void RecordBinding::bind(ValueLabel* label, const QString& field)
{
    m_bindings.append({ label, field });
    m_source->expectField(field);
}

void RecordBinding::showRecord()
{
    const quill::SizeRecords& records = m_source->records();
    for (const auto& binding : std::as_const(m_bindings)) {
        if (!binding.label)
            continue;
        binding.label->setCaption(records.value(binding.field));
        binding.label->setSourceNote(records.sourceNote(binding.field));
    }
}
