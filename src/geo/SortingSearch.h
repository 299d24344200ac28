// SPDX-License-Identifier: MIT
#pragma once
// A list of keys of one type, sorted ascending with each key's input index
// remembered, answering positional queries and searches. The era list is put
// in year order with it and the sheet download looks names up with it.
// The sort is a Shell sort with Shell's gaps: keys of equal value never swap in
// one move, but the sort as a whole does not keep their input order. Callers
// (the era order among them) rely on exactly that order.
#include <QString>

#include <cstdint>
#include <stdexcept>
#include <variant>
#include <vector>

namespace kavalo {

using SortKey = std::variant<int32_t, float, double, QString>;

// Error 513: a key of the wrong type, or an unknown key type. Error 13: a
// search value that cannot be converted to the key type.
class SortingSearchError : public std::runtime_error {
 public:
  SortingSearchError(int code, const char* what) : std::runtime_error(what), code_(code) {}
  int code() const { return code_; }

 private:
  int code_;
};

class SortingSearch {
 public:
  static constexpr int kLong = 3;
  static constexpr int kSingle = 4;
  static constexpr int kDouble = 5;
  static constexpr int kString = 8;

  void AddInit(int DataValueType);
  void AddLong(int32_t Value);
  void AddSingle(float Value);
  void AddDouble(double Value);
  void AddString(const QString& Value);
  void AddEnd();

  void Set_Data_Long(int n, const std::vector<int32_t>& Source_Data);
  void Set_Data_Single(int n, const std::vector<float>& Source_Data);
  void Set_Data_Double(int n, const std::vector<double>& Source_Data);
  void Set_Data_String(int n, const std::vector<QString>& Source_Data);

  int NumofData() const { return numofData_; }
  int keyType() const { return keyType_; }
  int DataPosition(int Num) const;
  int DataPositionRev(int Num) const;
  SortKey DataPositionValue(int Num) const;
  SortKey DataPositionRevValue(int Num) const;

  // Input index of one key equal to the value (the first of its equal run in
  // sorted order), or -1.
  int SearchData_One(const SortKey& SearchValue) const;
  // Number of keys equal to the value with their input indices in sorted
  // order, or -1 (the array is then left alone).
  int SearchData_Allay(const SortKey& SearchValue, std::vector<int32_t>& DataNumberAlley) const;

  // The duplicate list: each run of L equal keys gives L \ 2 entries.
  int SameValue_Number() const;
  int SameValue_Alley(std::vector<SortKey>& SameValue) const;

 private:
  template <typename T>
  void sortKeys(std::vector<T>& keys);
  template <typename T>
  bool search(const std::vector<T>& keys, const T& value, int& first, int& count) const;
  template <typename T>
  void duplicates(const std::vector<T>& keys, std::vector<SortKey>* out, int& number) const;
  bool searchKey(const SortKey& value, int& first, int& count) const;
  int checkedIndex(int i) const;

  int keyType_ = 0;
  int addCounter_ = 0;
  int numofData_ = 0;
  std::vector<int32_t> longKeys_;
  std::vector<float> singleKeys_;
  std::vector<double> doubleKeys_;
  std::vector<QString> stringKeys_;
  std::vector<int32_t> positions_;
};

}  // namespace kavalo
