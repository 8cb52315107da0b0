#include "BigNumber.h"

BigNumber::BigNumber() = default;
BigNumber::~BigNumber() = default;
