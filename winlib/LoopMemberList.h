// LoopMemberList: the filters or idle handlers of a message loop, walked in place while their own calls change the list.
#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

// A member removed during a walk leaves a null in its place, so the walks
// under way keep their indices; the nulls go when the outermost walk ends.
// A member added during a walk comes after the walk's end and is first seen
// by the next walk.
template <class T>
class LoopMemberList {
public:
    void Add(T* member)
    {
        if (member && std::find(m_members.begin(), m_members.end(), member) == m_members.end())
            m_members.push_back(member);
    }

    void Remove(T* member)
    {
        const auto found = std::find(m_members.begin(), m_members.end(), member);
        if (!member || found == m_members.end())
            return;
        if (m_walks > 0)
            *found = nullptr;
        else
            m_members.erase(found);
    }

    // Asks the members, the last added first, until one answers true.
    template <class Ask>
    bool AnyFromLast(Ask&& ask)
    {
        const Walk walk(*this);
        for (size_t i = m_members.size(); i-- > 0;) {
            if (T* member = m_members[i]; member && ask(*member))
                return true;
        }
        return false;
    }

    // Calls every member, the first added first.
    template <class Call>
    void EachFromFirst(Call&& call)
    {
        const Walk walk(*this);
        for (size_t i = 0, count = m_members.size(); i < count; ++i) {
            if (T* member = m_members[i])
                call(*member);
        }
    }

private:
    // Ends also when a member threw.
    class Walk {
    public:
        explicit Walk(LoopMemberList& list) : m_list(list) { ++m_list.m_walks; }
        Walk(const Walk&) = delete;
        Walk& operator=(const Walk&) = delete;
        ~Walk()
        {
            if (--m_list.m_walks == 0)
                std::erase(m_list.m_members, nullptr);
        }

    private:
        LoopMemberList& m_list;
    };

    std::vector<T*> m_members;
    int m_walks = 0;
};
