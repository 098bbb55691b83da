// InterfaceVector: an ordered, append-only list of mail interface pointers.
#pragma once

#include <vector>

#include "mail/CRefCounter.h"

template <class Vector, class Item>
class InterfaceVector : public CRefCounter<Vector> {
public:
    ~InterfaceVector() override
    {
        for (Item* item : m_items)
            item->Release();
    }

    int GetCount() override { return static_cast<int>(m_items.size()); }
    Item* GetItem(int index) override
    {
        if (index < 0 || index >= GetCount())
            return nullptr;
        Item* item = m_items[static_cast<size_t>(index)];
        item->AddRef();
        return item;
    }
    void Add(Item* item) override
    {
        if (!item)
            return;
        item->AddRef();
        m_items.push_back(item);
    }

private:
    std::vector<Item*> m_items;
};
