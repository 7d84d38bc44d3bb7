#pragma once
// Identifiers of the resources compiled into the program.

#define IDI_VANTREL 1
