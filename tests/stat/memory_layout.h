// Layouts built in memory for the drawing tests: one instance, stat
// object 1, assembled node by node.
#pragma once
#include <deque>
#include <vector>

#include "stat/stat_obj.h"

namespace tolv::test {

// A layout instance (stat object id 1) assembled node by node.
class MemoryLayout {
 public:
  MemoryLayout() {
    nodes_.resize(2);
    for (auto& n : nodes_) n.visible = 1, n.right = n.clip_right = 319, n.bottom = n.clip_bottom = 239;
    children_.resize(2), elements_of_.resize(2);
  }
  ~MemoryLayout() { stat_obj_pool[0] = StatObj{}; }
  uint8_t Node(uint8_t parent, int32_t x, int32_t y, int16_t l, int16_t t, int16_t r, int16_t b, uint8_t vis = 1) {
    StatObjNode n;
    n.parent = parent, n.x = x, n.y = y, n.left = l, n.top = t, n.right = r, n.bottom = b, n.visible = vis;
    nodes_.push_back(n);
    children_.emplace_back(), elements_of_.emplace_back();
    children_[parent].push_back(uint8_t(nodes_.size() - 1));
    return uint8_t(nodes_.size() - 1);
  }
  StatObjElement& Element(uint8_t node, uint8_t kind, int32_t x, int32_t y, uint16_t source = 0) {
    StatObjElement& e = elements_.emplace_back();
    e.parent = node, e.visible = 1, e.kind = kind, e.x = x, e.y = y, e.source = source, e.start_function = 65535;
    elements_of_[node].push_back(uint8_t(elements_.size() - 1));
    return e;
  }
  // Publishes the instance as stat object 1 (built before any element is
  // added again: the records live in deques that never move).
  int32_t Publish() {
    for (size_t i = 0; i < nodes_.size(); i++) {
      nodes_[i].children = children_[i].data(), nodes_[i].child_count = uint8_t(children_[i].size());
      nodes_[i].elements = elements_of_[i].data(), nodes_[i].element_count = uint8_t(elements_of_[i].size());
    }
    flat_nodes_.assign(nodes_.begin(), nodes_.end());
    flat_elements_.assign(elements_.begin(), elements_.end());
    StatObj& so = stat_obj_pool[0];
    so = StatObj{};
    so.in_use = 1;
    so.nodes = flat_nodes_.data(), so.node_count = uint16_t(flat_nodes_.size());
    so.elements = flat_elements_.data(), so.element_count = uint8_t(flat_elements_.size());
    return 1;
  }
  StatObjNode& Drawn(uint8_t n) { return flat_nodes_[n]; }

 private:
  std::deque<StatObjNode> nodes_;
  std::deque<StatObjElement> elements_;
  std::deque<std::vector<uint8_t>> children_, elements_of_;
  std::vector<StatObjNode> flat_nodes_;
  std::vector<StatObjElement> flat_elements_;
};

}  // namespace tolv::test
