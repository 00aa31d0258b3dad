#include "store/historynavigator.h"

#include <algorithm>

namespace orbelle {

std::optional<int> HistoryNavigator::back(int count) {
    if (count <= 0 || m_current > count - 1) {
        return std::nullopt;
    }
    if (m_current < count - 1) {
        ++m_current;
    }
    m_page = m_current / kPageSize;
    return m_current;
}

std::optional<int> HistoryNavigator::forward(int count) {
    if (count <= 0 || m_current < 0 || m_current > count - 1) {
        return std::nullopt;
    }
    if (m_current > 0) {
        --m_current;
    }
    m_page = m_current / kPageSize;
    return m_current;
}

bool HistoryNavigator::olderPage(int count) {
    if (count >= kPageSize * m_page + kPageSize + 1) {
        ++m_page;
        return true;
    }
    return false;
}

bool HistoryNavigator::newerPage() {
    if (m_page > 0) {
        --m_page;
        return true;
    }
    return false;
}

std::optional<int> HistoryNavigator::activate(int button, int count) {
    if (button < 0 || button >= kPageSize) {
        return std::nullopt;
    }
    const int entry = kPageSize * m_page + button;
    if (entry >= count) {
        return std::nullopt;
    }
    m_current = entry;
    return entry;
}

void HistoryNavigator::storeChanged(int count) {
    if (m_page > 0 && kPageSize * m_page >= count) {
        m_page = 0;
        m_current = 0;
    }
    if (m_current > std::max(count - 1, 0)) {
        m_current = 0;
    }
}

int HistoryNavigator::buttonCount(int count) const {
    return std::clamp(count - kPageSize * m_page, 0, kPageSize);
}

std::optional<int> HistoryNavigator::pressedButton(int count) const {
    if (m_current < 0 || m_current >= count || m_current / kPageSize != m_page) {
        return std::nullopt;
    }
    return m_current % kPageSize;
}

} // namespace orbelle
