#include "app/Icon.h"

#include "app/resources/tarvine-16.xpm"
#include "app/resources/tarvine-32.xpm"

const IconImages& ProgramIcon() {
  static const IconImages icon{tarvine_32_xpm, tarvine_16_xpm};
  return icon;
}
