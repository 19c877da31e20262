// SPDX-License-Identifier: GPL-3.0-or-later
#include "document.h"

#include "productstrings.h"

#include <QFileInfo>

#include <atomic>

namespace {

std::atomic<DocumentId> documentsMade { 0 };

} // namespace

Document::Document()
    : m_id(++documentsMade)
{ }

QString Document::displayName() const
{
    return m_path.value_or(Product::notSaved());
}

QString Document::folder() const
{
    return m_path ? QFileInfo(*m_path).absolutePath() : QString();
}
