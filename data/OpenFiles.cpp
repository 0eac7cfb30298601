#include "data/OpenFiles.h"

TOpenFiles& TOpenFiles::Instance() {
  static TOpenFiles registry;
  return registry;
}

TBaseInfo* TOpenFiles::Find(const std::string& name) const {
  const auto found = Records.find(name);
  return found == Records.end() ? nullptr : found->second.get();
}

TBaseInfo& TOpenFiles::Add(const std::string& name) {
  auto& slot = Records[name];
  slot = std::make_unique<TBaseInfo>();
  return *slot;
}

void TOpenFiles::Remove(const TBaseInfo& record) {
  for (auto it = Records.begin(); it != Records.end(); ++it) {
    if (it->second.get() == &record) {
      Records.erase(it);
      return;
    }
  }
}
