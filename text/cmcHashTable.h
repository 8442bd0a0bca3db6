#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "util/cmcFatal.h"

// String-keyed chained hash table shared by cmcHash (integer values) and
// cmcHash2 (pointers to records their users own). The hash function is fixed:
// name lookups of the link registry and the colour table depend on it.
template <class Value>
class cmcHashTable {
public:
    struct Node {
        std::string key;
        Value value;
        std::unique_ptr<Node> next;
    };

    explicit cmcHashTable(const char* duplicateMessage) : m_duplicateMessage(duplicateMessage) {}

    // Bucket count = size, or 1031 when size is 0.
    void Create(uint32_t size) {
        m_buckets.clear();
        m_buckets.resize(size == 0 ? 1031 : size);
    }

    // Adds a key; a key already present is a programming error.
    void Add(const std::string& key, Value value) {
        if (Find(key) != nullptr) {
            cmcFatal(cmcFatalCaption::AppTitle, m_duplicateMessage);
        }
        auto node = std::make_unique<Node>();
        node->key = key;
        node->value = value;
        std::unique_ptr<Node>& head = m_buckets[Bucket(key)];
        node->next = std::move(head);
        head = std::move(node);
    }

    const Node* Find(const std::string& key) const {
        if (m_buckets.empty()) {
            return nullptr;
        }
        for (const Node* n = m_buckets[Bucket(key)].get(); n != nullptr; n = n->next.get()) {
            if (n->key == key) {
                return n;
            }
        }
        return nullptr;
    }

    uint32_t BucketCount() const { return static_cast<uint32_t>(m_buckets.size()); }

    // The bucket a key falls in; public so the hash itself can be checked.
    uint32_t Bucket(const std::string& key) const { return Hash(key, BucketCount()); }

    static uint32_t Hash(const std::string& key, uint32_t buckets) {
        uint32_t h = 0;
        uint32_t s = buckets / 2;
        for (size_t i = 0; i < key.size(); ++i) {
            // Bytes count as signed, as the table's original character type did.
            auto c = static_cast<int32_t>(static_cast<signed char>(key[i]));
            h = 2 * h + s + static_cast<uint32_t>(c);
            unsigned char following = i + 1 < key.size() ? static_cast<unsigned char>(key[i + 1]) : 0;
            if ((following & 1) != 0) {
                s /= 2;
                if (s == 0) {
                    s = buckets / 2;
                }
            }
        }
        return h % buckets;
    }

private:
    const char* m_duplicateMessage;
    std::vector<std::unique_ptr<Node>> m_buckets;
};
