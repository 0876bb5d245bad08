#pragma once
// The owner password both tables of "Lockora" are declared with; the driver
// needs it to open them and protects the tables it creates with it.

inline constexpr const char* kOwnerPassword = "mirlotapex";
