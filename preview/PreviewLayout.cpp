// Where the sample text sits inside a preview window.
#include "PreviewLayout.h"

EditPlacement PreviewEditPlacement(int clientWidth, int clientHeight)
{
    // Client sizes come from the 16-bit halves of WM_SIZE, so 2 * size cannot overflow.
    return {clientWidth / 6, clientHeight / 6, 2 * clientWidth / 3, 2 * clientHeight / 3};
}
