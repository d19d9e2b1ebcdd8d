#pragma once

#include "components/Guid.h"

// Class and interface identifiers of the hosted components.
namespace ClassIds {

inline const Guid FtpClient{"{14099A43-7BE3-11CF-A8A0-444553540000}"};
inline const Guid VideoCapture{"{E22EC95D-DF49-11D3-8849-F1E013809946}"};
inline const Guid SkinForm{"{972DE6C2-8B09-11D2-B652-A1FD6CC34260}"};
inline const Guid SkinButton{"{53FA8D41-2CDD-11D3-9DD0-D3CD4078982A}"};
inline const Guid SkinLabel{"{53FA8D4A-2CDD-11D3-9DD0-D3CD4078982A}"};

} // namespace ClassIds

namespace InterfaceIds {

inline const Guid SkinForm{"{972DE6C1-8B09-11D2-B652-A1FD6CC34260}"};
inline const Guid SkinButton{"{53FA8D40-2CDD-11D3-9DD0-D3CD4078982A}"};
inline const Guid SkinLabel{"{53FA8D49-2CDD-11D3-9DD0-D3CD4078982A}"};

} // namespace InterfaceIds
