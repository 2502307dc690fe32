// Feeding the walk spool the way the walk does: one SNMP variable per call.
#pragma once

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/types.h>
#include <net-snmp/library/asn1.h>

#include <cstring>
#include <string>
#include <vector>

#include "walk_spool.h"

// The identifier of a cell of the profile table.
inline std::vector<oid> cellOid(oid column, oid row, oid seventeenth = 1) {
  std::vector<oid> name(std::begin(walkspool::kProfileTableRoot), std::end(walkspool::kProfileTableRoot));
  name.push_back(column);
  name.push_back(seventeenth);
  name.push_back(row);
  return name;
}

inline void spoolInteger(const std::vector<oid>& name, long value, u_char type = ASN_INTEGER) {
  netsnmp_variable_list v{};
  v.type = type;
  v.val.integer = &value;
  v.val_len = sizeof value;
  walkspool::vSpoolPlist(name.data(), name.size(), &v, 0);
}

inline void spoolString(const std::vector<oid>& name, const std::string& value, u_char type = ASN_OCTET_STR) {
  std::string copy = value;
  netsnmp_variable_list v{};
  v.type = type;
  v.val.string = reinterpret_cast<u_char*>(copy.data());
  v.val_len = copy.size();
  walkspool::vSpoolPlist(name.data(), name.size(), &v, 0);
}

// One printer row, every column the merge uses.
struct PrinterRow {
  oid row;
  long location;
  const char* profileName;
  const char* fileName;
  long profileClass;
  long availability = 1;
};

inline void spoolRow(const PrinterRow& r) {
  spoolInteger(cellOid(1, r.row), static_cast<long>(r.row));
  spoolInteger(cellOid(2, r.row), r.location);
  spoolString(cellOid(3, r.row), r.profileName);
  spoolString(cellOid(4, r.row), r.fileName);
  spoolInteger(cellOid(5, r.row), r.profileClass);
  spoolInteger(cellOid(7, r.row), r.availability);
}

inline void resetSpool() { walkspool::vSpoolPlist(nullptr, 0, nullptr, 1); }
