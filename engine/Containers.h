// The two containers the game code is written against: a doubly linked list
// and an ordered map with string keys (byte order). Thin layers over the
// standard library with the operations the game uses.
#pragma once

#include <algorithm>
#include <cstddef>
#include <functional>
#include <list>
#include <map>
#include <optional>
#include <string>
#include <vector>

template <typename T>
class TList {
  public:
    using iterator = typename std::list<T>::iterator;
    using const_iterator = typename std::list<T>::const_iterator;

    void AddLast(const T& value) { items_.push_back(value); }
    void AddFirst(const T& value) { items_.push_front(value); }
    // Removes the first element equal to value; true if one was found.
    bool Remove(const T& value) {
        auto it = std::find(items_.begin(), items_.end(), value);
        if (it == items_.end()) return false;
        items_.erase(it);
        return true;
    }
    template <typename Pred>
    size_t RemoveIf(Pred pred) {
        size_t before = items_.size();
        items_.remove_if(pred);
        return before - items_.size();
    }
    iterator Erase(iterator it) { return items_.erase(it); }
    // Inserts before the element `before` points at.
    iterator Insert(iterator before, const T& value) { return items_.insert(before, value); }
    int Count() const { return static_cast<int>(items_.size()); }
    bool IsEmpty() const { return items_.empty(); }
    // First and Last of an empty list give a default value (Null for pointers).
    T First() const { return items_.empty() ? T{} : items_.front(); }
    T Last() const { return items_.empty() ? T{} : items_.back(); }
    T ValueAtIndex(int index) const {
        if (index < 0 || index >= Count()) return T{};
        auto it = items_.begin();
        std::advance(it, index);
        return *it;
    }
    // less(a, b) true when a belongs before b; stable.
    void Sort(const std::function<bool(const T&, const T&)>& less) { items_.sort(less); }
    bool Contains(const T& value) const {
        return std::find(items_.begin(), items_.end(), value) != items_.end();
    }
    void Clear() { items_.clear(); }
    std::vector<T> ToVector() const { return std::vector<T>(items_.begin(), items_.end()); }

    iterator begin() { return items_.begin(); }
    iterator end() { return items_.end(); }
    const_iterator begin() const { return items_.begin(); }
    const_iterator end() const { return items_.end(); }

  private:
    std::list<T> items_;
};

template <typename V>
class TMap {
  public:
    using Storage = std::map<std::string, V>;
    using iterator = typename Storage::iterator;
    using const_iterator = typename Storage::const_iterator;

    void Insert(const std::string& key, const V& value) { items_[key] = value; }
    // A default value (Null for pointers) when the key is absent.
    V ValueForKey(const std::string& key) const {
        auto it = items_.find(key);
        return it == items_.end() ? V{} : it->second;
    }
    bool Contains(const std::string& key) const { return items_.count(key) != 0; }
    bool Remove(const std::string& key) { return items_.erase(key) != 0; }
    int Count() const { return static_cast<int>(items_.size()); }
    void Clear() { items_.clear(); }
    std::vector<std::string> Keys() const {
        std::vector<std::string> keys;
        keys.reserve(items_.size());
        for (const auto& entry : items_)
            keys.push_back(entry.first);
        return keys;
    }
    std::vector<V> Values() const {
        std::vector<V> values;
        values.reserve(items_.size());
        for (const auto& entry : items_)
            values.push_back(entry.second);
        return values;
    }

    iterator begin() { return items_.begin(); }
    iterator end() { return items_.end(); }
    const_iterator begin() const { return items_.begin(); }
    const_iterator end() const { return items_.end(); }

  private:
    Storage items_;  // std::string compares bytes as unsigned char: character-code order
};
