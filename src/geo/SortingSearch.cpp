// SPDX-License-Identifier: MIT
#include "geo/SortingSearch.h"

#include "platform/Numbers.h"

namespace kavalo {

namespace {
constexpr int kInitialSlots = 101;

template <typename T>
void appendKey(std::vector<T>& keys, int& counter, const T& value) {
  // The array grows in steps of a hundred slots, not one by one.
  if (counter >= static_cast<int>(keys.size())) keys.resize(static_cast<size_t>(counter) + kInitialSlots);
  keys[static_cast<size_t>(counter)] = value;
  ++counter;
}

bool isNumericText(const QString& text, double& value) {
  bool ok = false;
  value = text.trimmed().toDouble(&ok);
  return ok;
}
}  // namespace

void SortingSearch::AddInit(int DataValueType) {
  switch (DataValueType) {
    case kLong:
      longKeys_.assign(kInitialSlots, 0);
      break;
    case kSingle:
      singleKeys_.assign(kInitialSlots, 0.0f);
      break;
    case kDouble:
      doubleKeys_.assign(kInitialSlots, 0.0);
      break;
    case kString:
      stringKeys_.assign(kInitialSlots, QString());
      break;
    default:
      throw SortingSearchError(513, "unknown key type");
  }
  keyType_ = DataValueType;
  addCounter_ = 0;
}

void SortingSearch::AddLong(int32_t Value) {
  if (keyType_ != kLong) throw SortingSearchError(513, "key is not a 32-bit integer");
  appendKey(longKeys_, addCounter_, Value);
}

void SortingSearch::AddSingle(float Value) {
  if (keyType_ != kSingle) throw SortingSearchError(513, "key is not a single");
  appendKey(singleKeys_, addCounter_, Value);
}

void SortingSearch::AddDouble(double Value) {
  if (keyType_ != kDouble) throw SortingSearchError(513, "key is not a double");
  appendKey(doubleKeys_, addCounter_, Value);
}

void SortingSearch::AddString(const QString& Value) {
  if (keyType_ != kString) throw SortingSearchError(513, "key is not a text");
  appendKey(stringKeys_, addCounter_, Value);
}

void SortingSearch::AddEnd() {
  numofData_ = addCounter_;
  switch (keyType_) {
    case kLong:
      sortKeys(longKeys_);
      break;
    case kSingle:
      sortKeys(singleKeys_);
      break;
    case kDouble:
      sortKeys(doubleKeys_);
      break;
    case kString:
      sortKeys(stringKeys_);
      break;
    default:
      positions_.assign(1, 0);
      numofData_ = 0;
      break;
  }
}

void SortingSearch::Set_Data_Long(int n, const std::vector<int32_t>& Source_Data) {
  longKeys_ = Source_Data;
  keyType_ = kLong;
  numofData_ = n;
  sortKeys(longKeys_);
}

void SortingSearch::Set_Data_Single(int n, const std::vector<float>& Source_Data) {
  singleKeys_ = Source_Data;
  keyType_ = kSingle;
  numofData_ = n;
  sortKeys(singleKeys_);
}

void SortingSearch::Set_Data_Double(int n, const std::vector<double>& Source_Data) {
  doubleKeys_ = Source_Data;
  keyType_ = kDouble;
  numofData_ = n;
  sortKeys(doubleKeys_);
}

void SortingSearch::Set_Data_String(int n, const std::vector<QString>& Source_Data) {
  stringKeys_ = Source_Data;
  keyType_ = kString;
  numofData_ = n;
  sortKeys(stringKeys_);
}

template <typename T>
void SortingSearch::sortKeys(std::vector<T>& keys) {
  const int n = numofData_;
  if (n > static_cast<int>(keys.size())) throw std::out_of_range("fewer keys than the count");
  positions_.assign(static_cast<size_t>(n) + 1, 0);
  for (int i = 0; i < n; ++i) positions_[static_cast<size_t>(i)] = i;
  for (int gap = n / 2; gap >= 1; gap /= 2) {
    for (int s = 0; s < gap; ++s) {
      for (int c = s + gap; c < n; c += gap) {
        for (int j = c; j - gap >= s && keys[static_cast<size_t>(j - gap)] > keys[static_cast<size_t>(j)]; j -= gap) {
          std::swap(keys[static_cast<size_t>(j - gap)], keys[static_cast<size_t>(j)]);
          std::swap(positions_[static_cast<size_t>(j - gap)], positions_[static_cast<size_t>(j)]);
        }
      }
    }
  }
}

int SortingSearch::checkedIndex(int i) const {
  if (i < 0 || i >= numofData_) throw std::out_of_range("position outside the sorted keys");
  return i;
}

int SortingSearch::DataPosition(int Num) const { return positions_[static_cast<size_t>(checkedIndex(Num))]; }

int SortingSearch::DataPositionRev(int Num) const {
  return positions_[static_cast<size_t>(checkedIndex(numofData_ - Num - 1))];
}

SortKey SortingSearch::DataPositionValue(int Num) const {
  const size_t i = static_cast<size_t>(checkedIndex(Num));
  switch (keyType_) {
    case kLong:
      return longKeys_[i];
    case kSingle:
      return singleKeys_[i];
    case kDouble:
      return doubleKeys_[i];
    default:
      return stringKeys_[i];
  }
}

SortKey SortingSearch::DataPositionRevValue(int Num) const { return DataPositionValue(numofData_ - Num - 1); }

template <typename T>
bool SortingSearch::search(const std::vector<T>& keys, const T& value, int& first, int& count) const {
  const int n = numofData_;
  if (n == 0) return false;
  int lower = -1, upper = n;
  int m = (n - 1) / 2;
  for (;;) {
    const T& key = keys[static_cast<size_t>(m)];
    if (key == value) break;
    if (value < key) {
      int next = (m + lower) / 2;
      if (next == m) return false;
      upper = m;
      m = next;
    } else {
      int next = (upper + m) / 2;
      if (next == m) return false;
      lower = m;
      m = next;
    }
  }
  first = m;
  while (first > 0 && keys[static_cast<size_t>(first - 1)] == value) --first;
  int end = first;
  while (end < n && keys[static_cast<size_t>(end)] == value) ++end;
  count = end - first;
  return true;
}

bool SortingSearch::searchKey(const SortKey& value, int& first, int& count) const {
  // The search value is converted to the key type first, as a variant would be.
  auto asNumber = [&](double& out) {
    if (auto p = std::get_if<int32_t>(&value))
      out = *p;
    else if (auto p = std::get_if<float>(&value))
      out = *p;
    else if (auto p = std::get_if<double>(&value))
      out = *p;
    else if (!isNumericText(std::get<QString>(value), out))
      throw SortingSearchError(13, "type mismatch");
  };
  switch (keyType_) {
    case kLong: {
      double d = 0;
      asNumber(d);
      auto v = toInt32Checked(d);
      if (!v) throw SortingSearchError(6, "overflow");
      return search(longKeys_, *v, first, count);
    }
    case kSingle: {
      double d = 0;
      asNumber(d);
      return search(singleKeys_, toSingle(d), first, count);
    }
    case kDouble: {
      double d = 0;
      asNumber(d);
      return search(doubleKeys_, d, first, count);
    }
    case kString: {
      QString text;
      if (auto p = std::get_if<QString>(&value))
        text = *p;
      else if (auto p = std::get_if<int32_t>(&value))
        text = QString::number(*p);
      else if (auto p = std::get_if<float>(&value))
        text = shortestSingleText(*p);
      else
        text = shortestDoubleText(std::get<double>(value));
      return search(stringKeys_, text, first, count);
    }
    default:
      return false;
  }
}

int SortingSearch::SearchData_One(const SortKey& SearchValue) const {
  int first = 0, count = 0;
  if (!searchKey(SearchValue, first, count)) return -1;
  return positions_[static_cast<size_t>(first)];
}

int SortingSearch::SearchData_Allay(const SortKey& SearchValue, std::vector<int32_t>& DataNumberAlley) const {
  int first = 0, count = 0;
  if (!searchKey(SearchValue, first, count)) return -1;
  DataNumberAlley.assign(positions_.begin() + first, positions_.begin() + first + count);
  return count;
}

template <typename T>
void SortingSearch::duplicates(const std::vector<T>& keys, std::vector<SortKey>* out, int& number) const {
  bool flag = false;
  number = 0;
  for (int k = 1; k < numofData_; ++k) {
    const T& key = keys[static_cast<size_t>(k)];
    if (key == keys[static_cast<size_t>(k - 1)] && !flag) {
      if (out) out->push_back(key);
      ++number;
      flag = true;
    } else {
      flag = false;
    }
  }
}

int SortingSearch::SameValue_Number() const {
  int number = 0;
  switch (keyType_) {
    case kLong:
      duplicates(longKeys_, nullptr, number);
      break;
    case kSingle:
      duplicates(singleKeys_, nullptr, number);
      break;
    case kDouble:
      duplicates(doubleKeys_, nullptr, number);
      break;
    case kString:
      duplicates(stringKeys_, nullptr, number);
      break;
    default:
      break;
  }
  return number;
}

int SortingSearch::SameValue_Alley(std::vector<SortKey>& SameValue) const {
  SameValue.clear();
  int number = 0;
  switch (keyType_) {
    case kLong:
      duplicates(longKeys_, &SameValue, number);
      break;
    case kSingle:
      duplicates(singleKeys_, &SameValue, number);
      break;
    case kDouble:
      duplicates(doubleKeys_, &SameValue, number);
      break;
    case kString:
      duplicates(stringKeys_, &SameValue, number);
      break;
    default:
      break;
  }
  return number;
}

}  // namespace kavalo
