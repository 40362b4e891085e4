#include "core/object_record.h"

namespace duduve {

ObjectRecord* ObjectList::Find(const std::wstring& key) {
  const auto found = index_.find(key);
  return found == index_.end() ? nullptr : &records_[found->second];
}

const ObjectRecord* ObjectList::Find(const std::wstring& key) const {
  const auto found = index_.find(key);
  return found == index_.end() ? nullptr : &records_[found->second];
}

ObjectRecord& ObjectList::Append(ObjectRecord record) {
  index_.emplace(record.Key, records_.size());
  records_.push_back(std::move(record));
  return records_.back();
}

void ObjectList::Clear() {
  records_.clear();
  index_.clear();
  ++generation_;
}

}  // namespace duduve
