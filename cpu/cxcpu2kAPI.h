#pragma once

#include "platform/CpuidSource.h"

#include <QString>

#include <array>
#include <cstdint>

// The instruction-level functions over CPUID, RDTSC and the system-information call. Every function
// that reads a leaf answers 0, false, zeros or its fall-back text when the processor has no CPUID; none
// checks the maximum standard leaf first.
namespace qv::cpu {

using TCPUIDRegisters = platform::CpuidRegisters;
using TDescriptorBytes = std::array<std::int32_t, 16>;

bool CPUIDAvailable();
TCPUIDRegisters ExecuteCPUID(std::uint32_t leaf);

std::int32_t GetMaxLevel();
std::uint32_t GetMaxLevelEx();
// True when the processor reports extended leaf `leaf` (its maximum extended leaf, unsigned, reaches it).
bool ReportsExtendedLeaf(std::uint32_t leaf);

QString GetVendorString();
std::int32_t GetSignature();
std::int32_t SignatureType(std::int32_t signature);
std::int32_t SignatureFamily(std::int32_t signature);
std::int32_t SignatureModel(std::int32_t signature);
std::int32_t SignatureStepping(std::int32_t signature);

std::uint32_t GetFeatureFlags();
std::uint32_t GetExtFeatureFlags();
bool TestBit(std::uint32_t value, int bit);
bool HasFeature(int bit);
bool IsOverDrive();
bool HasMMX();
bool HasFDivBug();
std::int32_t GetProcessorCount();

// Four characters, one per byte of `value`, lowest first; a zero byte gives character 0.
QString RegisterToText(std::uint32_t value);
QString LeafToText(std::uint32_t leaf);
QString GetBrandString();
QString GetSerialNumber();

TCPUIDRegisters GetCacheDescriptors();
TCPUIDRegisters GetExtCacheLeaf(bool second);
TDescriptorBytes DescriptorBytes(const TCPUIDRegisters& registers);
std::int32_t DecodeL1Data(const TDescriptorBytes& bytes);
std::int32_t DecodeL1Code(const TDescriptorBytes& bytes);
std::int32_t DecodeL1Unified(const TDescriptorBytes& bytes);
std::int32_t DecodeL2(const TDescriptorBytes& bytes);
std::int32_t ExtL1DataSize();
std::int32_t ExtL1CodeSize();
std::int32_t ExtL2Size();

std::int32_t NearestNominalSpeed(float raw);

} // namespace qv::cpu
