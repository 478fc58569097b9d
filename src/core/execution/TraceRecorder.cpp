#include "core/execution/TraceRecorder.h"

#include "core/execution/TraceTable.h"
#include "core/model/Block.h"
#include "core/model/BlockKinds.h"

#include <QIODevice>

void TraceRecorder::restart(int generation) {
    m_steps.clear();
    m_total = 0;
    m_generation = generation;
}

void TraceRecorder::record(const cBck& block, const Interpreter::Change& change,
                           const QString& written) {
    if (block.zaction() == BlockKinds::junction)
        return;
    if (m_steps.size() == m_capacity)
        m_steps.pop_front();
    m_steps.push_back({&block, change, written});
    ++m_total;
}

QStringList TraceRecorder::row(long long index) const {
    if (index < 0 || index >= size())
        return {};
    const Step& step = m_steps[std::size_t(index)];
    return TraceTable::row(dropped() + index + 1, *step.block, step.change, step.written);
}

bool TraceRecorder::writeCsv(QIODevice& device) const {
    TraceWriter writer(device, dropped() + 1);
    for (const Step& step : m_steps)
        writer.step(*step.block, step.change, step.written);
    return writer.ok();
}
