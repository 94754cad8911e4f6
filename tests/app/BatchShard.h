#pragma once

// The share of a table-driven batch test that one ctest entry runs, so that the entries run side by side.
// BRAMBLEON_BATCH_SHARD names a group of cases ("addr.tsv", "padded:sip-trunk.ini") or one part of it
// ("emptied:sip-trunk.ini/2of3": the group's second case and every third after it); unset, every case
// runs. BRAMBLEON_BATCH_SHARDS lists every entry's shard, comma-separated, so that a group no entry runs
// fails the test instead of going unseen.

#include <QRegularExpression>
#include <QSet>
#include <QString>
#include <QStringList>

class BatchShard
{
public:
    BatchShard()
        : m_shard(qEnvironmentVariable("BRAMBLEON_BATCH_SHARD"))
    {
        const QRegularExpressionMatch part = QRegularExpression("^(.*)/(\\d+)of(\\d+)$").match(m_shard);
        m_group = part.hasMatch() ? part.captured(1) : m_shard;
        m_part = part.hasMatch() ? part.captured(2).toInt() : 1;
        m_parts = part.hasMatch() ? part.captured(3).toInt() : 1;
    }

    bool all() const { return m_shard.isEmpty(); }
    QString name() const { return m_shard; }
    bool selects(const QString &group) const { return all() || group == m_group; }
    // The index-th case of group (from 0).
    bool selects(const QString &group, int index) const
    {
        return all() || (group == m_group && index % m_parts == m_part - 1);
    }

    // What is wrong with the entries given the groups the test has: its own shard names none of them or
    // is no proper part, or a group has no entry (nor every part of one split).
    QString trouble(const QStringList &groups) const
    {
        if (!all() && (!groups.contains(m_group) || m_parts < 1 || m_part < 1 || m_part > m_parts))
            return "BRAMBLEON_BATCH_SHARD " + m_shard + " selects no group; the groups: " + groups.join(' ');
        const QStringList entries = qEnvironmentVariable("BRAMBLEON_BATCH_SHARDS").split(',', Qt::SkipEmptyParts);
        if (entries.isEmpty())
            return QString();
        QStringList missing;
        for (const QString &group : groups) {
            if (!entries.contains(group) && !split(entries, group))
                missing << group;
        }
        return missing.isEmpty() ? QString() : "no test entry runs " + missing.join(' ') + " (configure again)";
    }

private:
    QString m_shard, m_group;
    int m_part = 1, m_parts = 1;

    static bool split(const QStringList &entries, const QString &group)
    {
        const QRegularExpression part("^" + QRegularExpression::escape(group) + "/(\\d+)of(\\d+)$");
        QSet<int> seen;
        int parts = 0;
        for (const QString &entry : entries) {
            const QRegularExpressionMatch m = part.match(entry);
            if (m.hasMatch() && (parts == 0 || parts == m.captured(2).toInt())) {
                parts = m.captured(2).toInt();
                seen.insert(m.captured(1).toInt());
            }
        }
        for (int k = 1; k <= parts; ++k) {
            if (!seen.contains(k))
                return false;
        }
        return parts > 0;
    }
};
